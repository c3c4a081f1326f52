// Builds the screen form of a definition and binds its fields to the record.
// Record values only ever reach the page as input values or textContent.
(function (root) {
    'use strict';

    const K = root.Kestrova;
    let serial = 0;

    function el(tag, className, text) {
        const e = document.createElement(tag);
        if (className)
            e.className = className;
        if (text !== undefined)
            e.textContent = text;
        return e;
    }

    function idFor(path) {
        serial += 1;
        return 'f' + serial + '-' + path.replace(/[^A-Za-z0-9]/g, '-');
    }

    // One radio button per option, each in its label, appended to `parent`; returns
    // the inputs, which share a name.
    function radioOptions(parent, path, options, textClass) {
        const name = idFor(path);
        return options.map(function (o) {
            const label = el('label', 'option');
            const input = el('input');
            input.type = 'radio';
            input.name = name;
            input.value = o.value;
            input.id = name + '-' + o.value;
            label.appendChild(input);
            label.appendChild(el('span', textClass, o.label));
            parent.appendChild(label);
            return input;
        });
    }

    function tagBadge(field) {
        const tag = K.forms.tagOf(field);
        if (!tag)
            return null;
        const badge = el('span', 'tag tag-' + tag, tag);
        badge.title = 'Shared: ' + K.forms.TAGS[tag] + ' \u2014 entered once for every form';
        badge.setAttribute('aria-hidden', 'true');
        return badge;
    }

    // One rendered form. `ctx` gives get(path), set(path, value) and changed(path).
    function FormView(definition, container, ctx) {
        this.definition = definition;
        this.ctx = ctx;
        this.bindings = [];      // { path, type, elements, primary }
        this.computed = [];      // { item, output }
        this.statusBoxes = [];
        container.textContent = '';
        container.appendChild(this.buildHeader());
        const self = this;
        definition.sections.forEach(function (section) { container.appendChild(self.buildSection(section)); });
        this.refresh();
    }

    FormView.prototype.buildHeader = function () {
        const d = this.definition;
        const header = el('header', 'form-header');
        const left = el('div', 'form-title');
        left.appendChild(el('div', 'form-code', d.code));
        const h1 = el('h1', '', d.title);
        h1.id = 'formTitle';
        left.appendChild(h1);
        left.appendChild(el('div', 'form-agency', d.agency || ''));
        const right = el('div', 'form-omb');
        right.appendChild(el('div', '', d.omb || ''));
        right.appendChild(el('div', '', d.revision || ''));
        header.appendChild(left);
        header.appendChild(right);
        if (!d.banner)
            return header;
        const wrap = el('div');
        wrap.appendChild(header);
        wrap.appendChild(el('p', 'form-banner', d.banner));
        return wrap;
    };

    FormView.prototype.buildSection = function (section) {
        const self = this;
        const s = el('section', 'form-section' + (section.screenOnly ? ' screen-only' : ''));
        const h2 = el('h2', '', section.title);
        h2.id = 'sec-' + this.definition.id + '-' + section.id;
        s.setAttribute('aria-labelledby', h2.id);
        s.appendChild(h2);
        if (section.note)
            s.appendChild(el('p', 'section-note', section.note));
        section.blocks.forEach(function (block) { s.appendChild(self.buildBlock(block)); });
        return s;
    };

    FormView.prototype.buildBlock = function (block) {
        const self = this;
        if (block.row) {
            const mixed = block.row.some(function (f) { return f.type !== 'checkbox'; });
            const row = el('div', 'row' + (mixed ? ' mixed' : ''));
            block.row.forEach(function (f) { row.appendChild(f.type === 'computed' ? self.buildComputed(f) : self.buildField(f)); });
            return row;
        }
        switch (block.type) {
        case 'heading': return el('h3', 'block-heading', block.text);
        case 'subheading': return el('p', 'block-subheading', block.text);
        case 'note': return el('p', 'block-note', block.text);
        case 'computed': return this.buildComputed(block);
        case 'choices': return this.buildChoices(block);
        case 'table': return this.buildTable(block);
        case 'status': {
            const status = el('div', 'cert-status');
            status.setAttribute('role', 'status');
            this.statusBoxes.push(status);
            return status;
        }
        default: return el('div');
        }
    };

    FormView.prototype.bind = function (path, type, elements) {
        const binding = { path: path, type: type, elements: elements };
        this.bindings.push(binding);
        const self = this;
        elements.forEach(function (input) {
            const handler = function () {
                let value;
                if (type === 'checkbox')
                    value = input.checked ? true : '';
                else if (type === 'radio')
                    value = input.checked ? input.value : undefined;
                else
                    value = input.value;
                if (value === undefined)
                    return;
                self.ctx.set(path, value);
                self.sync(path, binding);
                self.ctx.changed(path);
            };
            input.addEventListener(type === 'checkbox' || type === 'radio' || type === 'select' ? 'change' : 'input', handler);
            if (type === 'radio') {
                // Radios cannot be unticked with the mouse; Delete clears the answer.
                input.addEventListener('keydown', function (event) {
                    if (event.key === 'Delete' || event.key === 'Backspace') {
                        event.preventDefault();
                        self.ctx.set(path, '');
                        self.sync(path, null);
                        self.ctx.changed(path);
                    }
                });
            }
        });
        return binding;
    };

    function show(binding, value) {
        const v = typeof value === 'string' ? value : '';
        binding.elements.forEach(function (input) {
            if (binding.type === 'checkbox')
                input.checked = value === true;
            else if (binding.type === 'radio')
                input.checked = input.value === v && v !== '';
            else if (input.value !== v)
                input.value = v;
        });
    }

    // Shows a changed value in every other place that shows the same field.
    FormView.prototype.sync = function (path, except) {
        const value = this.ctx.get(path);
        this.bindings.forEach(function (b) {
            if (b.path === path && b !== except)
                show(b, value);
        });
        this.refreshComputed();
    };

    FormView.prototype.refresh = function () {
        const ctx = this.ctx;
        this.bindings.forEach(function (b) { show(b, ctx.get(b.path)); });
        this.refreshComputed();
    };

    FormView.prototype.refreshComputed = function () {
        const get = this.ctx.get;
        this.computed.forEach(function (c) {
            let value = '';
            try {
                value = c.item.compute(get) || '';
            } catch (e) {
                value = '';
            }
            c.output.textContent = value || '\u2014';
            if (c.button)
                c.button.disabled = !value;
        });
    };

    function labelWithTag(text, field, forId) {
        const label = el('label', 'field-label');
        if (forId)
            label.htmlFor = forId;
        label.appendChild(document.createTextNode(text));
        const badge = tagBadge(field);
        if (badge) {
            label.appendChild(document.createTextNode(' '));
            label.appendChild(badge);
        }
        return label;
    }

    function configureInput(input, f) {
        if (f.maxLength)
            input.maxLength = f.maxLength;
        if (f.inputmode)
            input.setAttribute('inputmode', f.inputmode);
        if (f.autocomplete)
            input.setAttribute('autocomplete', f.autocomplete);
        else
            input.setAttribute('autocomplete', 'off');
    }

    FormView.prototype.makeControl = function (f, id) {
        let input;
        if (f.type === 'textarea') {
            input = el('textarea');
            input.rows = 3;
        } else if (f.type === 'select') {
            input = el('select');
            f.options.forEach(function (o) {
                const option = el('option', '', o.label);
                option.value = o.value;
                input.appendChild(option);
            });
        } else {
            input = el('input');
            input.type = ['tel', 'email', 'date', 'time'].indexOf(f.type) >= 0 ? f.type : 'text';
            if (f.type === 'number' && !f.inputmode)
                input.setAttribute('inputmode', 'decimal');
        }
        input.id = id;
        input.name = f.path;
        configureInput(input, f);
        if (f.hint) {
            input.setAttribute('aria-describedby', id + '-hint');
        }
        return input;
    };

    function decorate(input, f) {
        if (!f.prefix && !f.unit)
            return input;
        const group = el('div', 'input-group');
        if (f.prefix) {
            const p = el('span', 'affix', f.prefix);
            p.setAttribute('aria-hidden', 'true');
            group.appendChild(p);
        }
        group.appendChild(input);
        if (f.unit) {
            const u = el('span', 'affix', f.unit);
            u.setAttribute('aria-hidden', 'true');
            group.appendChild(u);
        }
        return group;
    }

    FormView.prototype.buildField = function (f) {
        const wrap = el('div', 'field span-' + (f.width || 3));
        wrap.dataset.path = f.path;
        if (f.type === 'radio') {
            const fieldset = el('fieldset', 'radio-group' + (f.vertical ? ' vertical' : ''));
            const legend = el('legend', 'field-label');
            legend.appendChild(document.createTextNode(f.label));
            const badge = tagBadge(f);
            if (badge) {
                legend.appendChild(document.createTextNode(' '));
                legend.appendChild(badge);
            }
            fieldset.appendChild(legend);
            const inputs = radioOptions(fieldset, f.path, f.options, '');
            wrap.appendChild(fieldset);
            this.bind(f.path, 'radio', inputs);
            return wrap;
        }
        const id = idFor(f.path);
        if (f.type === 'checkbox') {
            wrap.classList.add('check');
            const input = el('input');
            input.type = 'checkbox';
            input.id = id;
            const label = labelWithTag(f.label, f, id);
            wrap.appendChild(input);
            wrap.appendChild(label);
            this.bind(f.path, 'checkbox', [input]);
            return wrap;
        }
        wrap.appendChild(labelWithTag(f.label, f, id));
        const input = this.makeControl(f, id);
        wrap.appendChild(decorate(input, f));
        if (f.hint) {
            const hint = el('div', 'hint', f.hint);
            hint.id = id + '-hint';
            wrap.appendChild(hint);
        }
        this.bind(f.path, f.type === 'select' ? 'select' : 'text', [input]);
        return wrap;
    };

    FormView.prototype.buildComputed = function (item) {
        const wrap = el('div', 'field computed span-' + (item.width || 3));
        const id = idFor('computed');
        const label = el('span', 'field-label', item.label);
        label.id = id + '-label';
        const output = el('output', 'computed-value');
        output.setAttribute('aria-labelledby', label.id);
        wrap.appendChild(label);
        const line = el('div', 'computed-line');
        line.appendChild(output);
        const entry = { item: item, output: output };
        if (item.action) {
            const button = el('button', 'small-button', item.action.label);
            button.type = 'button';
            const self = this;
            button.addEventListener('click', function () {
                item.action.run(self.ctx.get, function (path, value) {
                    self.ctx.set(path, value);
                    self.sync(path, null);
                    self.ctx.changed(path);
                });
            });
            line.appendChild(button);
            entry.button = button;
        }
        wrap.appendChild(line);
        this.computed.push(entry);
        return wrap;
    };

    FormView.prototype.buildChoices = function (block) {
        const self = this;
        const wrap = el('div', 'choices');
        const head = el('div', 'choices-head' + (block.comment ? ' with-comment' : ''));
        head.appendChild(el('span', 'choices-legend', block.legend));
        head.setAttribute('aria-hidden', 'true');
        const heads = el('span', 'choices-options');
        block.options.forEach(function (o) { heads.appendChild(el('span', '', o.label)); });
        head.appendChild(heads);
        if (block.comment)
            head.appendChild(el('span', 'choices-comment', 'Comment'));
        wrap.appendChild(head);
        block.items.forEach(function (item) {
            const row = el('div', 'choice-row' + (block.comment ? ' with-comment' : ''));
            row.dataset.path = item.path;
            const group = el('div', 'choice-group');
            group.setAttribute('role', 'radiogroup');
            const label = el('span', 'choice-label');
            label.id = idFor(item.path) + '-label';
            label.appendChild(el('span', 'choice-number', item.number + '.'));
            label.appendChild(document.createTextNode(' ' + item.label));
            group.setAttribute('aria-labelledby', label.id);
            row.appendChild(label);
            const options = el('span', 'choices-options');
            const inputs = radioOptions(options, item.path, block.options, 'option-text');
            group.appendChild(options);
            row.appendChild(group);
            self.bind(item.path, 'radio', inputs);
            if (item.commentPath) {
                const id = idFor(item.commentPath);
                const cl = el('label', 'sr-only', item.label + ': comment');
                cl.htmlFor = id;
                const input = self.makeControl({ type: 'text', path: item.commentPath }, id);
                input.className = 'choice-comment';
                row.appendChild(cl);
                row.appendChild(input);
                self.bind(item.commentPath, 'text', [input]);
            }
            wrap.appendChild(row);
        });
        return wrap;
    };

    FormView.prototype.buildTable = function (block) {
        const self = this;
        const wrap = el('div', 'table-wrap');
        const table = el('table', 'entry-table');
        table.appendChild(el('caption', '', block.caption));
        const thead = el('thead');
        const hr = el('tr');
        hr.appendChild(el('td'));
        block.columns.forEach(function (c) {
            const th = el('th', '', c);
            th.scope = 'col';
            hr.appendChild(th);
        });
        thead.appendChild(hr);
        table.appendChild(thead);
        const tbody = el('tbody');
        block.rows.forEach(function (row) {
            const tr = el('tr');
            const th = el('th', '', row.label);
            th.scope = 'row';
            tr.appendChild(th);
            row.cells.forEach(function (cell) {
                const td = el('td');
                if (cell) {
                    const id = idFor(cell.path);
                    const label = el('label', 'sr-only', cell.label);
                    label.htmlFor = id;
                    td.appendChild(label);
                    const input = self.makeControl(cell, id);
                    td.appendChild(decorate(input, cell));
                    td.dataset.path = cell.path;
                    self.bind(cell.path, 'text', [input]);
                }
                tr.appendChild(td);
            });
            tbody.appendChild(tr);
        });
        table.appendChild(tbody);
        wrap.appendChild(table);
        return wrap;
    };

    // Focuses the first control of a field; false when the form does not show it.
    FormView.prototype.focus = function (path) {
        for (let i = 0; i < this.bindings.length; ++i) {
            const b = this.bindings[i];
            if (b.path !== path)
                continue;
            const target = b.elements.filter(function (e) { return e.checked; })[0] || b.elements[0];
            target.scrollIntoView({ block: 'center' });
            target.focus();
            return true;
        }
        return false;
    };

    FormView.prototype.shows = function (path) {
        return this.bindings.some(function (b) { return b.path === path; });
    };

    // Marks the fields that have findings (aria-invalid for blocking ones).
    FormView.prototype.mark = function (findings) {
        const severity = {};
        findings.forEach(function (f) {
            if (f.field && severity[f.field] !== 'error')
                severity[f.field] = f.severity;
        });
        this.bindings.forEach(function (b) {
            b.elements.forEach(function (input) {
                const s = severity[b.path];
                if (s === 'error')
                    input.setAttribute('aria-invalid', 'true');
                else
                    input.removeAttribute('aria-invalid');
                input.classList.toggle('has-warning', s === 'warning');
            });
        });
    };

    FormView.prototype.setStatus = function (node) {
        this.statusBoxes.forEach(function (box) {
            box.textContent = '';
            box.appendChild(node.cloneNode(true));
        });
    };

    root.Kestrova.render = { FormView: FormView, el: el };
})(typeof globalThis !== 'undefined' ? globalThis : this);
