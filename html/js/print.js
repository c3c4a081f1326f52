// Print layout. The prepare functions build #printRoot, which only the print media
// shows (see kestrova.css); the screen layout is never changed, so the page is back
// to its screen layout as soon as printing or the preview ends.
//
// The page numbers need the page breaks to be ours: the content is measured at the
// printed width and packed into sheets of a fixed height, each ending in its footer
// with "Page X of Y".
(function (root) {
    'use strict';

    const K = root.Kestrova;

    const el = K.render.el;

    function display(field, value) {
        if (value === true)
            return 'Yes';
        if (typeof value !== 'string' || value === '')
            return '';
        if (field.type === 'date')
            return K.dates.toUs(value);
        if (field.type === 'time') {
            const m = /^(\d{2}):(\d{2})$/.exec(value);
            if (m)
                return ((Number(m[1]) + 11) % 12 + 1) + ':' + m[2] + (Number(m[1]) < 12 ? ' a.m.' : ' p.m.');
        }
        if (field.options) {
            const option = field.options.filter(function (o) { return o.value === value; })[0];
            return option ? option.label : value;
        }
        return value;
    }

    function checkBox(checked, label) {
        const span = el('span', 'p-check' + (checked ? ' on' : ''));
        const box = el('span', 'p-box', checked ? 'X' : '');
        box.setAttribute('aria-hidden', 'true');
        span.appendChild(box);
        span.appendChild(el('span', '', label));
        return span;
    }

    function Printer(record, ctx) {
        this.record = record;
        this.get = ctx.get;
        this.status = ctx.status;
    }

    Printer.prototype.field = function (f) {
        const value = this.get(f.path);
        const cell = el('div', 'p-field span-' + (f.width || 3));
        if (f.type === 'checkbox') {
            cell.classList.add('p-checkfield');
            cell.appendChild(checkBox(value === true, f.label));
            return cell;
        }
        cell.appendChild(el('div', 'p-label', f.label));
        if (f.type === 'radio') {
            const options = el('div', 'p-options' + (f.vertical ? ' vertical' : ''));
            f.options.forEach(function (o) { options.appendChild(checkBox(value === o.value, o.label)); });
            cell.appendChild(options);
            return cell;
        }
        const text = (f.prefix && value ? f.prefix : '') + display(f, value) + (f.unit && value ? ' ' + f.unit : '');
        cell.appendChild(el('div', 'p-value' + (f.type === 'textarea' ? ' long' : ''), text));
        return cell;
    };

    Printer.prototype.computed = function (item) {
        const cell = el('div', 'p-field span-' + (item.width || 3));
        cell.appendChild(el('div', 'p-label', item.label));
        let value = '';
        try {
            value = item.compute(this.get) || '';
        } catch (e) {
            value = '';
        }
        cell.appendChild(el('div', 'p-value computed', value));
        return cell;
    };

    Printer.prototype.block = function (block, definition) {
        const self = this;
        if (block.row) {
            const row = el('div', 'p-row');
            block.row.forEach(function (f) { row.appendChild(f.type === 'computed' ? self.computed(f) : self.field(f)); });
            return row;
        }
        switch (block.type) {
        case 'heading': return el('h3', 'p-heading', block.text);
        case 'subheading': return el('p', 'p-subheading', block.text);
        case 'note': return el('p', 'p-note', block.text);
        case 'computed': return this.computed(block);
        case 'status': return this.statusBlock(definition);
        case 'choices': return this.choices(block);
        case 'table': return this.table(block);
        default: return el('div');
        }
    };

    // A long table (the a-to-t activity grid) prints its rows in two halves side by
    // side, so that its section fits on a page with the rest of the form.
    Printer.prototype.table = function (block) {
        const self = this;
        const halves = block.rows.length > 12 ? 2 : 1;
        const rows = Math.ceil(block.rows.length / halves);
        const table = el('table', 'p-table' + (halves === 2 ? ' two-columns' : ''));
        table.appendChild(el('caption', '', block.caption));
        const head = el('tr');
        for (let h = 0; h < halves; ++h) {
            head.appendChild(el('th', 'p-rowlabel' + (h ? ' p-split' : '')));
            block.columns.forEach(function (c) { head.appendChild(el('th', 'p-colhead', c)); });
        }
        table.appendChild(head);
        for (let r = 0; r < rows; ++r) {
            const tr = el('tr');
            for (let h = 0; h < halves; ++h) {
                const row = block.rows[h * rows + r];
                if (!row) {
                    const filler = el('td', 'p-split');
                    filler.colSpan = 1 + block.columns.length;
                    tr.appendChild(filler);
                    continue;
                }
                tr.appendChild(el('th', h ? 'p-split' : '', row.label));
                row.cells.forEach(function (cell) {
                    if (!cell) {
                        tr.appendChild(el('td', 'p-none'));
                        return;
                    }
                    const value = self.get(cell.path);
                    const text = typeof value === 'string' && value !== ''
                        ? (cell.prefix || '') + value + (cell.unit ? ' ' + cell.unit : '') : '';
                    tr.appendChild(el('td', '', text));
                });
            }
            table.appendChild(tr);
        }
        return table;
    };

    // A long yes/no list prints in two columns so that its section fits on a page.
    Printer.prototype.choices = function (block) {
        const self = this;
        const columns = !block.comment && block.items.length > 16 ? 2 : 1;
        const table = el('table', 'p-choices' + (columns === 2 ? ' two-columns' : ''));
        const thead = el('thead');
        const head = el('tr');
        for (let c = 0; c < columns; ++c) {
            head.appendChild(el('th', 'p-num' + (c ? ' p-split' : ''), '#'));
            head.appendChild(el('th', '', c ? '' : block.legend));
            block.options.forEach(function (o) { head.appendChild(el('th', 'p-opt', o.label)); });
            if (block.comment)
                head.appendChild(el('th', '', 'Comment'));
        }
        thead.appendChild(head);
        table.appendChild(thead);
        const tbody = el('tbody');
        const rows = Math.ceil(block.items.length / columns);
        for (let r = 0; r < rows; ++r) {
            const tr = el('tr');
            for (let c = 0; c < columns; ++c) {
                const item = block.items[c * rows + r];
                if (!item) {
                    const filler = el('td', c ? 'p-split' : '');
                    filler.colSpan = 2 + block.options.length + (block.comment ? 1 : 0);
                    tr.appendChild(filler);
                    continue;
                }
                const value = self.get(item.path);
                tr.appendChild(el('td', 'p-num' + (c ? ' p-split' : ''), item.number));
                tr.appendChild(el('td', '', item.label));
                block.options.forEach(function (o) {
                    const td = el('td', 'p-opt');
                    td.appendChild(checkBox(value === o.value, ''));
                    tr.appendChild(td);
                });
                if (block.comment) {
                    const note = self.get(item.commentPath);
                    tr.appendChild(el('td', 'p-comment', typeof note === 'string' ? note : ''));
                }
            }
            tbody.appendChild(tr);
        }
        table.appendChild(tbody);
        return table;
    };

    Printer.prototype.statusBlock = function (definition) {
        const status = this.status ? this.status(definition.id) : null;
        if (!status || status.ready)
            return el('div');
        const box = el('div', 'p-not-ready');
        box.appendChild(el('strong', '', 'NOT READY \u2014 NOT A VALID CERTIFICATE'));
        box.appendChild(el('span', '', ' \u2014 ' + status.errors + (status.errors === 1 ? ' blocking error' : ' blocking errors')
            + ' found on validation; do not issue.'));
        return box;
    };

    // Lays out one form. Returns the article and the parts the sheets are packed from:
    // `head` (letterhead, title, banner) and each printed section with its lead
    // (title and note) and its blocks.
    Printer.prototype.form = function (definition) {
        const self = this;
        const article = el('article', 'p-form');
        article.dataset.form = definition.id;
        const header = el('header', 'p-header');
        const left = el('div', 'p-title');
        left.appendChild(el('div', 'p-agency', definition.agency || ''));
        left.appendChild(el('h1', '', definition.code + '  ' + definition.title));
        const right = el('div', 'p-omb');
        right.appendChild(el('div', '', definition.omb || ''));
        right.appendChild(el('div', '', definition.revision || ''));
        header.appendChild(left);
        header.appendChild(right);
        const head = [];
        if (definition.letterhead)
            head.push(this.letterhead());
        head.push(header);
        if (definition.banner)
            head.push(el('p', 'p-banner', definition.banner));
        head.forEach(function (node) { article.appendChild(node); });
        const sections = [];
        definition.sections.forEach(function (section) {
            if (section.screenOnly)
                return;
            const s = el('section', 'p-section' + (section.newPage ? ' p-new-page' : ''));
            const lead = [el('h2', '', section.title)];
            if (section.note && !section.screenNote)
                lead.push(el('p', 'p-note', section.note));
            const blocks = section.blocks.map(function (block) { return self.block(block, definition); });
            lead.concat(blocks).forEach(function (node) { s.appendChild(node); });
            article.appendChild(s);
            sections.push({ el: s, title: section.title, newPage: !!section.newPage, lead: lead, blocks: blocks });
        });
        return { article: article, head: head, sections: sections };
    };

    // The clinic's name, address and numbers at the top of the clinic's own forms.
    Printer.prototype.letterhead = function () {
        const get = this.get;
        function value(path) {
            const v = get(path);
            return typeof v === 'string' ? v : '';
        }
        const head = el('div', 'p-letterhead');
        head.appendChild(el('div', 'p-letterhead-name', value('clinic.name') || 'Clinic name not entered'));
        const place = [value('clinic.city'), [value('clinic.state'), value('clinic.zip')].filter(Boolean).join(' ')].filter(Boolean).join(', ');
        const lines = [[value('clinic.street'), place].filter(Boolean).join(', '),
            [value('clinic.phone') && 'Phone ' + value('clinic.phone'), value('clinic.fax') && 'Fax ' + value('clinic.fax'),
             value('clinic.email')].filter(Boolean).join('   \u00b7   ')];
        lines.filter(Boolean).forEach(function (line) { head.appendChild(el('div', '', line)); });
        return head;
    };

    function patientLine(get) {
        const last = get('patient.lastName'), first = get('patient.firstName');
        const name = [typeof last === 'string' ? last : '', typeof first === 'string' ? first : '']
            .filter(function (s) { return s !== ''; }).join(', ');
        const dob = get('patient.dob');
        return 'Patient: ' + (name || '(no name)') + '   \u00b7   Date of birth: '
            + (typeof dob === 'string' && dob ? K.dates.toUs(dob) : '(not entered)');
    }

    // Packs a print job into sheets. `forms` holds, for each form, its units in
    // order: { height, keepWithNext, newPage, blocks, head, tail }. A unit with
    // `blocks` (their heights) may split between them when it is taller than a sheet;
    // each part then takes `head` and `tail` besides its blocks. Every form starts a
    // sheet; a `newPage` unit starts one; a `keepWithNext` unit goes with the start of
    // the next. Returns the sheets, each a list of parts { form, unit } or, for part
    // of a split unit, { form, unit, from, to } (blocks from..to-1); or null when
    // something does not fit on a sheet of `capacity` even on its own.
    function paginate(forms, capacity) {
        const sheets = [];
        let sheet = null;
        let used = 0;
        function newSheet() {
            sheet = [];
            sheets.push(sheet);
            used = 0;
        }
        function splits(unit) {
            return unit.height > capacity && Array.isArray(unit.blocks) && unit.blocks.length > 0;
        }
        // The least of a unit that must share the sheet with the unit before it.
        function opening(unit) {
            return splits(unit) ? unit.head + unit.blocks[0] + unit.tail : unit.height;
        }
        for (let f = 0; f < forms.length; ++f) {
            newSheet();
            const units = forms[f];
            for (let u = 0; u < units.length; ++u) {
                const unit = units[u];
                if (unit.newPage && sheet.length)
                    newSheet();
                const next = units[u + 1];
                if (unit.keepWithNext && next && !next.newPage && sheet.length) {
                    const together = unit.height + opening(next);
                    if (together <= capacity && used + together > capacity)
                        newSheet();
                }
                if (used + unit.height <= capacity) {
                    sheet.push({ form: f, unit: u });
                    used += unit.height;
                    continue;
                }
                if (unit.height <= capacity) {
                    newSheet();
                    sheet.push({ form: f, unit: u });
                    used = unit.height;
                    continue;
                }
                if (!splits(unit))
                    return null;
                let from = 0;
                while (from < unit.blocks.length) {
                    let height = unit.head + unit.tail;
                    let to = from;
                    while (to < unit.blocks.length && used + height + unit.blocks[to] <= capacity)
                        height += unit.blocks[to++];
                    if (to === from) {
                        if (!sheet.length)
                            return null; // one block is taller than a sheet
                        newSheet();
                        continue;
                    }
                    sheet.push({ form: f, unit: u, from: from, to: to });
                    used += height;
                    from = to;
                    if (from < unit.blocks.length)
                        newSheet();
                }
            }
        }
        return sheets;
    }

    function isBreak(c) {
        return c === ' ' || c === '\n' || c === '\t' || c === '\r';
    }

    // Where to cut a long text so that its first piece fits: the longest start of it
    // that `fits(n)` accepts (a measure that, once false, stays false as n grows),
    // ended after its last space or line break so that no word is cut. Only a word
    // with no room for it is cut between characters, never inside a surrogate pair.
    // Returns the whole length when all of it fits, 0 when nothing does.
    function cutText(text, fits) {
        if (fits(text.length))
            return text.length;
        let lo = 0;
        let hi = text.length;
        while (hi - lo > 1) {
            const mid = Math.floor((lo + hi) / 2);
            if (fits(mid))
                lo = mid;
            else
                hi = mid;
        }
        for (let b = lo; b > 0; --b) {
            if (isBreak(text[b - 1]))
                return b;
        }
        const high = lo > 0 ? text.charCodeAt(lo - 1) : 0;
        const low = text.charCodeAt(lo);
        if (high >= 0xd800 && high <= 0xdbff && low >= 0xdc00 && low <= 0xdfff)
            return lo - 1;
        return lo;
    }

    function footer(get, page) {
        const foot = el('div', 'p-footer');
        foot.appendChild(el('span', '', patientLine(get)));
        foot.appendChild(el('span', '', 'Printed ' + K.dates.toUs(K.dates.today()) + ' \u00b7 Kestrova'));
        if (page)
            foot.appendChild(el('span', 'p-page-number', page));
        return foot;
    }

    // The layout without sheets: the content flows over as many pages as it takes,
    // under a footer that Chromium repeats on every page, without page numbers.
    function buildFlow(target, laid, get) {
        target.classList.add('p-flow');
        target.appendChild(footer(get, ''));
        // Chromium repeats a table's head and foot on every printed page: the empty
        // cells keep the page's content clear of the fixed footer.
        const table = el('table', 'p-page');
        const thead = el('thead');
        const headRow = el('tr');
        headRow.appendChild(el('td', 'p-page-head'));
        thead.appendChild(headRow);
        const tfoot = el('tfoot');
        const footRow = el('tr');
        footRow.appendChild(el('td', 'p-page-foot'));
        tfoot.appendChild(footRow);
        const tbody = el('tbody');
        const bodyRow = el('tr');
        const body = el('td', 'p-page-body');
        bodyRow.appendChild(body);
        tbody.appendChild(bodyRow);
        table.appendChild(thead);
        table.appendChild(tbody);
        table.appendChild(tfoot);
        target.appendChild(table);
        laid.forEach(function (form) { body.appendChild(form.article); });
    }

    function top(node) {
        return node.getBoundingClientRect().top;
    }

    // Where a node's margin box ends.
    function end(node) {
        return node.getBoundingClientRect().bottom + (parseFloat(getComputedStyle(node).marginBottom) || 0);
    }

    // The units of a laid-out form, measured in CSS pixels. A unit's height runs from
    // its top to the top of the next, so margins between them are counted once.
    function measure(form) {
        const units = [];
        const sections = form.sections;
        const formEnd = end(sections.length ? sections[sections.length - 1].el : form.head[form.head.length - 1]);
        if (form.head.length) {
            units.push({ nodes: form.head, keepWithNext: true,
                height: (sections.length ? top(sections[0].el) : formEnd) - top(form.head[0]) });
        }
        sections.forEach(function (section, i) {
            const start = top(section.el);
            const stop = i + 1 < sections.length ? top(sections[i + 1].el) : formEnd;
            const unit = { section: section, newPage: section.newPage, height: stop - start, blocks: [], head: 0, tail: 0 };
            const blocks = section.blocks;
            if (blocks.length) {
                unit.head = top(blocks[0]) - start;
                blocks.forEach(function (block, b) {
                    unit.blocks.push((b + 1 < blocks.length ? top(blocks[b + 1]) : end(block)) - top(block));
                });
                unit.tail = stop - end(blocks[blocks.length - 1]);
            }
            units.push(unit);
        });
        return units;
    }

    // A section's blocks from..to-1 in a section of their own; later parts repeat
    // the title.
    function sectionPart(section, from, to) {
        const part = el('section', 'p-section');
        if (from === 0)
            section.lead.forEach(function (node) { part.appendChild(node); });
        else
            part.appendChild(el('h2', '', section.title + ' (continued)'));
        section.blocks.slice(from, to).forEach(function (node) { part.appendChild(node); });
        return part;
    }

    function sum(numbers) {
        return numbers.reduce(function (a, b) { return a + b; }, 0);
    }

    // How tall a block is where it stands, counted as measure() counts it.
    function blockHeight(block) {
        const next = block.nextElementSibling;
        return (next ? top(next) : end(block)) - top(block);
    }

    // Gives each of a row's values, one after the other, as much of its text as keeps
    // the row within `limit`. Returns how much of each text it took.
    function fill(row, values, texts, limit) {
        values.forEach(function (value) { value.textContent = ''; });
        return values.map(function (value, i) {
            const text = texts[i];
            const n = cutText(text, function (length) {
                value.textContent = text.slice(0, length);
                return blockHeight(row) <= limit;
            });
            value.textContent = text.slice(0, n);
            return n;
        });
    }

    // Splits a row made tall by its typed texts: the row keeps the first piece of
    // each text, as much as fits within `first` (or within `limit` when nothing
    // does), and rows after it carry on with the rest under the field's label and
    // "(continued)", each within `limit`. The pieces of a text join up to the text.
    // Returns the rows, or null, with the row as it was, when it cannot be split.
    function splitRow(row, first, limit) {
        if (!row.classList.contains('p-row'))
            return null;
        const values = Array.prototype.filter.call(row.querySelectorAll('.p-value'),
            function (value) { return value.textContent !== ''; });
        const texts = values.map(function (value) { return value.textContent; });
        const parts = [row];
        function undo() {
            parts.slice(1).forEach(function (part) { part.parentNode.removeChild(part); });
            values.forEach(function (value, i) { value.textContent = texts[i]; });
            return null;
        }
        if (!values.length)
            return null;
        let taken = fill(row, values, texts, first);
        if (!sum(taken) && first < limit)
            taken = fill(row, values, texts, limit);
        if (!sum(taken))
            return undo();
        const rest = texts.map(function (text, i) { return text.slice(taken[i]); });
        while (rest.some(Boolean)) {
            const more = el('div', 'p-row');
            const carried = [];
            const moreValues = [];
            values.forEach(function (value, i) {
                if (!rest[i])
                    return;
                const field = value.parentNode;
                const label = field.querySelector('.p-label');
                const cell = el('div', field.className);
                cell.appendChild(el('div', 'p-label', (label ? label.textContent : '') + ' (continued)'));
                moreValues.push(cell.appendChild(el('div', value.className)));
                more.appendChild(cell);
                carried.push(i);
            });
            const last = parts[parts.length - 1];
            last.parentNode.insertBefore(more, last.nextSibling);
            parts.push(more);
            taken = fill(more, moreValues, carried.map(function (i) { return rest[i]; }), limit);
            if (!sum(taken))
                return undo();
            carried.forEach(function (i, k) { rest[i] = rest[i].slice(taken[k]); });
        }
        return parts;
    }

    // The room left on the sheet where block b of a form's unit u would start.
    function roomBefore(units, u, b, capacity) {
        const unit = units[u];
        const blocks = unit.blocks.slice(0, b);
        const job = [units.slice(0, u).concat([{ newPage: unit.newPage, head: unit.head, tail: unit.tail,
            blocks: blocks, height: unit.head + sum(blocks) + unit.tail }])];
        const sheets = paginate(job, capacity);
        if (!sheets)
            return 0;
        return capacity - sum(sheets[sheets.length - 1].map(function (part) {
            const placed = job[0][part.unit];
            return part.from === undefined ? placed.height
                : placed.head + placed.tail + sum(placed.blocks.slice(part.from, part.to));
        }));
    }

    // A block taller than a sheet can hold cannot be packed. When it is a row whose
    // height comes from typed text (a long note), it is split into parts that each
    // fit, the first one in the room left where it starts, and the form is measured
    // again.
    function splitLongTexts(form, units, capacity) {
        for (let u = 0; u < units.length; ++u) {
            for (let b = 0; units[u].section && b < units[u].blocks.length; ++b) {
                const unit = units[u];
                const limit = capacity - unit.head - unit.tail;
                if (unit.blocks[b] <= limit)
                    continue;
                // A pixel short of the room, so that rounding never tips a part over.
                const parts = splitRow(unit.section.blocks[b],
                    Math.min(roomBefore(units, u, b, capacity), limit) - 1, limit - 1);
                if (!parts)
                    continue;
                Array.prototype.splice.apply(unit.section.blocks, [b, 1].concat(parts));
                units = measure(form);
                b += parts.length - 1;
            }
        }
        return units;
    }

    // Lays the measured forms out on sheets of the height the stylesheet gives,
    // each with its footer and page number. Returns false, leaving `target` as it
    // was, when the content cannot be packed without cutting something.
    function buildSheets(target, laid, get) {
        const probe = el('div', 'p-sheet');
        const probeBody = el('div', 'p-sheet-body');
        probe.appendChild(probeBody);
        probe.appendChild(footer(get, 'Page 999 of 999'));
        target.appendChild(probe);
        const capacity = probeBody.getBoundingClientRect().height;
        target.removeChild(probe);

        const measuring = el('div', 'p-measure');
        target.appendChild(measuring);
        laid.forEach(function (form) { measuring.appendChild(form.article); });
        const units = laid.map(function (form) {
            return capacity > 0 ? splitLongTexts(form, measure(form), capacity) : measure(form);
        });
        target.removeChild(measuring);
        const sheets = capacity > 0 ? paginate(units, capacity) : null;
        if (!sheets)
            return false;

        const total = sheets.length;
        const started = [];
        sheets.forEach(function (parts, i) {
            const sheet = el('div', 'p-sheet');
            const body = el('div', 'p-sheet-body');
            let article = null;
            parts.forEach(function (part) {
                if (!article) {
                    const form = laid[part.form];
                    article = started[part.form] ? el('article', 'p-form-more') : form.article;
                    article.textContent = '';
                    if (form.article.dataset.form)
                        article.dataset.form = form.article.dataset.form;
                    started[part.form] = true;
                    body.appendChild(article);
                }
                const unit = units[part.form][part.unit];
                if (unit.nodes)
                    unit.nodes.forEach(function (node) { article.appendChild(node); });
                else if (part.from === undefined)
                    article.appendChild(sectionPart(unit.section, 0, unit.section.blocks.length));
                else
                    article.appendChild(sectionPart(unit.section, part.from, part.to));
            });
            sheet.appendChild(body);
            sheet.appendChild(footer(get, 'Page ' + (i + 1) + ' of ' + total));
            target.appendChild(sheet);
        });
        // What the engine laid out must match what was measured: a sheet whose
        // content runs past its body would overlap the footer.
        const overflows = Array.prototype.some.call(target.querySelectorAll('.p-sheet-body'), function (body) {
            return body.scrollHeight > body.clientHeight + 1;
        });
        if (overflows) {
            target.textContent = '';
            return false;
        }
        return true;
    }

    // Lays out the given forms into `target`; returns the ids laid out. The layout is
    // measured off-screen at the printed width, then hidden again: only the print
    // media shows `target`.
    function build(target, record, formIds, ctx) {
        function layOut() {
            const printer = new Printer(record, ctx);
            const laid = [];
            formIds.forEach(function (id) {
                if (K.forms.get(id))
                    laid.push(printer.form(K.forms.get(id)));
            });
            if (!laid.length) {
                const article = el('article', 'p-form p-empty-job');
                article.appendChild(el('p', 'p-empty', 'This record has no forms to print.'));
                laid.push({ article: article, head: [article.firstChild], sections: [] });
            }
            return laid;
        }
        target.textContent = '';
        target.classList.remove('p-flow');
        target.classList.add('p-measuring');
        let laid = layOut();
        try {
            if (!buildSheets(target, laid, ctx.get)) {
                laid = layOut();
                buildFlow(target, laid, ctx.get);
            }
        } finally {
            target.classList.remove('p-measuring');
        }
        return laid.filter(function (form) { return form.article.dataset.form; })
            .map(function (form) { return form.article.dataset.form; });
    }

    K.print = { build: build, paginate: paginate, cutText: cutText, patientLine: patientLine };
})(typeof globalThis !== 'undefined' ? globalThis : this);
