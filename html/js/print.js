// Print layout. The prepare functions build #printRoot, which only the print media
// shows (see kestrova.css); the screen layout is never changed, so the page is back
// to its screen layout as soon as printing or the preview ends.
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
        if (definition.letterhead)
            article.appendChild(this.letterhead());
        article.appendChild(header);
        if (definition.banner)
            article.appendChild(el('p', 'p-banner', definition.banner));
        definition.sections.forEach(function (section) {
            if (section.screenOnly)
                return;
            const s = el('section', 'p-section' + (section.newPage ? ' p-new-page' : ''));
            s.appendChild(el('h2', '', section.title));
            if (section.note && !section.screenNote)
                s.appendChild(el('p', 'p-note', section.note));
            section.blocks.forEach(function (block) { s.appendChild(self.block(block, definition)); });
            article.appendChild(s);
        });
        return article;
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

    // Lays out the given forms into `target`; returns the ids laid out.
    function build(target, record, formIds, ctx) {
        const printer = new Printer(record, ctx);
        target.textContent = '';
        const footer = el('div', 'p-footer');
        footer.appendChild(el('span', '', patientLine(ctx.get)));
        footer.appendChild(el('span', '', 'Printed ' + K.dates.toUs(K.dates.today()) + ' \u00b7 Kestrova'));
        target.appendChild(footer);
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
        const laid = [];
        formIds.forEach(function (id) {
            const definition = K.forms.get(id);
            if (!definition)
                return;
            body.appendChild(printer.form(definition));
            laid.push(id);
        });
        if (!laid.length)
            body.appendChild(el('p', 'p-empty', 'This record has no forms to print.'));
        return laid;
    }

    K.print = { build: build, patientLine: patientLine };
})(typeof globalThis !== 'undefined' ? globalThis : this);
