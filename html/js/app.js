// The page: form list, current form, patient strip, validation results, and the
// functions the program calls (newRecord, loadRecord, collectRecord, ...).
(function (root) {
    'use strict';

    const K = root.Kestrova;
    const el = K.render.el;

    const state = {
        record: K.record.emptyRecord(K.forms.defaultForms()),
        current: '',
        view: null,
        status: 'new',           // new | opened | changed | saved
        findings: [],
        resultsShown: false,
        printMode: 'current'
    };

    function get(path) {
        return K.record.getValue(state.record, path);
    }

    function set(path, value) {
        K.record.setValue(state.record, path, value);
    }

    function byId(id) {
        return document.getElementById(id);
    }

    // ---- messages ---------------------------------------------------------------

    function showMessage(text) {
        const bar = byId('messageBar');
        byId('messageText').textContent = text;
        bar.hidden = false;
    }

    function clearMessage() {
        byId('messageBar').hidden = true;
        byId('messageText').textContent = '';
    }

    function announce(text) {
        const live = byId('liveRegion');
        live.textContent = '';
        // A fresh text node makes screen readers read the same words again.
        setTimeout(function () { live.textContent = text; }, 50);
    }

    // ---- form list --------------------------------------------------------------

    function renderFormList() {
        const list = byId('formList');
        list.textContent = '';
        K.forms.FAMILIES.forEach(function (family) {
            const section = el('div', 'family');
            const heading = el('h3', 'family-title', family.label);
            heading.id = 'family-' + family.id;
            section.appendChild(heading);
            const ul = el('ul');
            ul.setAttribute('aria-labelledby', heading.id);
            const defs = K.forms.byFamily(family.id);
            if (!defs.length)
                ul.appendChild(el('li', 'family-empty', 'No forms installed'));
            defs.forEach(function (d) {
                const li = el('li', 'form-item');
                const included = state.record.forms.indexOf(d.id) >= 0;
                li.classList.toggle('excluded', !included);
                const check = el('input');
                check.type = 'checkbox';
                check.id = 'include-' + d.id;
                check.checked = included;
                const checkLabel = el('label', 'sr-only', 'Include ' + d.code + ' in this record');
                checkLabel.htmlFor = check.id;
                check.addEventListener('change', function () { setIncluded(d.id, check.checked); });
                const button = el('button', 'form-link');
                button.type = 'button';
                button.appendChild(el('span', 'form-link-code', d.code));
                button.appendChild(el('span', 'form-link-title', d.shortTitle || d.title));
                if (d.id === state.current)
                    button.setAttribute('aria-current', 'page');
                button.addEventListener('click', function () { openForm(d.id, true); });
                li.appendChild(check);
                li.appendChild(checkLabel);
                li.appendChild(button);
                ul.appendChild(li);
            });
            section.appendChild(ul);
            list.appendChild(section);
        });
    }

    function setIncluded(id, included) {
        const forms = state.record.forms.filter(function (f) { return f !== id; });
        if (included)
            forms.push(id);
        const known = K.forms.inPacketOrder(forms);
        const unknown = forms.filter(function (f) { return !K.forms.get(f); });
        state.record.forms = known.concat(unknown);
        markChanged();
        renderFormList();
        renderNotice();
    }

    // ---- current form -----------------------------------------------------------

    function renderNotice() {
        const notice = byId('formNotice');
        const included = state.record.forms.indexOf(state.current) >= 0;
        notice.hidden = included || !state.current;
    }

    function openForm(id, focusTitle) {
        const definition = K.forms.get(id);
        if (!definition)
            return false;
        state.current = id;
        state.view = new K.render.FormView(definition, byId('formArea'), {
            get: get,
            set: set,
            changed: function () { markChanged(); }
        });
        renderFormList();
        renderNotice();
        refreshStatus();
        if (focusTitle) {
            const title = byId('formTitle');
            title.tabIndex = -1;
            title.focus();
            byId('main').scrollTop = 0;
        }
        return true;
    }

    function firstForm() {
        const included = K.forms.inPacketOrder(state.record.forms);
        if (included.length)
            return included[0];
        const all = K.forms.list();
        return all.length ? all[0].id : '';
    }

    function showRecord(status) {
        state.status = status;
        state.resultsShown = false;
        byId('validationPanel').hidden = true;
        const keep = state.current && state.record.forms.indexOf(state.current) >= 0 ? state.current : firstForm();
        openForm(keep, false);
    }

    // ---- status, validation -----------------------------------------------------

    function markChanged() {
        state.status = 'changed';
        refreshStatus();
    }

    function certificateStatus(formId) {
        const definition = K.forms.get(formId);
        if (!definition || !definition.certificate)
            return null;
        const errors = state.findings.filter(function (f) {
            return f.severity === 'error' && (!f.forms || f.forms.indexOf(formId) >= 0);
        });
        return {
            ready: errors.length === 0,
            errors: errors.length,
            text: errors.length ? errors.length + (errors.length === 1 ? ' blocking error' : ' blocking errors')
                + ' \u2014 run Validate to see them.' : 'No blocking errors.'
        };
    }

    function countText(findings) {
        const errors = findings.filter(function (f) { return f.severity === 'error'; }).length;
        const warnings = findings.length - errors;
        return errors + (errors === 1 ? ' blocking error' : ' blocking errors') + ', '
            + warnings + (warnings === 1 ? ' warning' : ' warnings');
    }

    function refreshStatus() {
        try {
            state.findings = K.forms.validate(state.record, {});
        } catch (e) {
            // Checks that did not run must not leave the certificate looking ready.
            state.findings = [{ rule: 'Checks', severity: 'error', message: 'The checks could not run on this record; do not issue a certificate.' }];
        }
        const last = get('patient.lastName'), first = get('patient.firstName');
        const name = [last, first].filter(function (s) { return typeof s === 'string' && s !== ''; }).join(', ');
        byId('stripName').textContent = name || 'No patient entered';
        const dob = get('patient.dob');
        byId('stripDob').textContent = dob ? K.dates.toUs(dob) : '\u2014';
        const age = K.dates.ageOn(dob, get('visit.examDate') || K.dates.today());
        byId('stripAge').textContent = Number.isNaN(age) ? '\u2014' : String(age);
        const exam = get('visit.examDate');
        byId('stripExam').textContent = exam ? K.dates.toUs(exam) : '\u2014';
        const labels = { 'new': 'New record', opened: 'Opened from file', changed: 'Unsaved changes', saved: 'Saved' };
        const stateEl = byId('stripState');
        stateEl.textContent = labels[state.status];
        stateEl.className = 'strip-state state-' + state.status;
        const cert = certificateStatus('mcsa-5876');
        const certEl = byId('stripCert');
        if (cert && state.record.forms.indexOf('mcsa-5876') >= 0) {
            certEl.textContent = cert.ready ? 'Ready' : 'Not ready';
            certEl.className = 'strip-badge ' + (cert.ready ? 'ok' : 'bad');
        } else {
            certEl.textContent = 'Not in record';
            certEl.className = 'strip-badge';
        }
        if (state.view) {
            const status = certificateStatus(state.current);
            if (status) {
                const node = el('div', 'cert-status-inner ' + (status.ready ? 'ok' : 'bad'));
                node.appendChild(el('strong', '', status.ready ? 'Certificate ready' : 'Certificate not ready'));
                node.appendChild(el('span', '', ' \u2014 ' + status.text));
                state.view.setStatus(node);
            }
            state.view.mark(state.resultsShown ? state.findings : []);
        }
        if (state.resultsShown)
            renderResults(false);
    }

    function focusField(path, forms) {
        if (!path)
            return;
        if (state.view && state.view.shows(path)) {
            state.view.focus(path);
            return;
        }
        const candidates = (forms || []).concat(state.record.forms);
        for (let i = 0; i < candidates.length; ++i) {
            const d = K.forms.get(candidates[i]);
            if (d && K.forms.fieldsOf(d).some(function (f) { return f.field.path === path; })) {
                openForm(d.id, false);
                state.view.focus(path);
                return;
            }
        }
    }

    function renderResults(announceIt) {
        const panel = byId('validationPanel');
        const list = byId('validationList');
        // Blocking errors first; otherwise in the rules' own order.
        const findings = state.findings.map(function (f, i) { return { f: f, i: i }; }).sort(function (a, b) {
            return (a.f.severity === 'error' ? 0 : 1) - (b.f.severity === 'error' ? 0 : 1) || a.i - b.i;
        }).map(function (x) { return x.f; });
        list.textContent = '';
        const summary = findings.length ? countText(findings) + '.' : 'No problems found.';
        byId('validationSummary').textContent = summary;
        findings.forEach(function (f) {
            const li = el('li', 'finding ' + f.severity);
            const button = el('button', 'finding-link');
            button.type = 'button';
            button.appendChild(el('span', 'finding-severity', f.severity === 'error' ? 'Blocking' : 'Warning'));
            button.appendChild(el('span', 'finding-rule', f.rule));
            button.appendChild(el('span', 'finding-message', f.message));
            button.appendChild(el('span', 'finding-cite', f.cite || ''));
            if (f.field)
                button.addEventListener('click', function () { focusField(f.field, f.forms); });
            else
                button.disabled = true;
            li.appendChild(button);
            list.appendChild(li);
        });
        panel.hidden = false;
        if (announceIt)
            announce('Validation: ' + summary);
    }

    // ---- contract ---------------------------------------------------------------

    function guard(fn, fallback) {
        return function () {
            try {
                return fn.apply(null, arguments);
            } catch (e) {
                return fallback;
            }
        };
    }

    root.newRecord = guard(function () {
        clearMessage();
        state.record = K.record.emptyRecord(K.forms.defaultForms());
        state.current = '';
        showRecord('new');
        return true;
    }, false);

    // loadRecord, collectRecord and collectDefaults throw when they fail: the program
    // learns of the failure only that way, and must not name a file the form does
    // not show, nor save text the page did not produce.
    root.loadRecord = function (text) {
        if (typeof text !== 'string' || text.trim() === '') {
            clearMessage();
            state.record = K.record.emptyRecord(K.forms.defaultForms());
            state.current = '';
            showRecord('new');
            return true;
        }
        const result = K.record.parseRecord(text);
        if (!result.ok) {
            showMessage('This file could not be opened as an occupational-health record. ' + result.error
                + ' The form on screen was left as it was.');
            announce('The record could not be opened.');
            throw new Error('The record was refused: ' + result.error);
        }
        clearMessage();
        state.record = result.record;
        showRecord('opened');
        return true;
    };

    root.collectRecord = function () {
        return K.record.serializeRecord(state.record);
    };

    root.collectDefaults = function () {
        return K.record.serializeDefaults(state.record);
    };

    root.applyPartial = guard(function (text) {
        const result = K.record.parseDefaults(text);
        if (!result.ok)
            return false;
        K.record.applyDefaults(state.record, result.groups);
        if (state.view)
            state.view.refresh();
        refreshStatus();
        return true;
    }, false);

    root.showToast = guard(function (message) {
        if (message === 'Occupational record saved.') {
            state.status = 'saved';
            refreshStatus();
        }
        K.toast.show(message);
    }, undefined);

    root.validateRecord = guard(function (showResults) {
        state.resultsShown = state.resultsShown || !!showResults;
        refreshStatus();
        if (showResults)
            renderResults(true);
        const errors = state.findings.filter(function (f) { return f.severity === 'error'; }).length;
        return { errors: errors, warnings: state.findings.length - errors, findings: state.findings };
    }, null);

    root.fillTestData = guard(function () {
        clearMessage();
        const values = K.testData.values();
        Object.keys(values).forEach(function (path) { set(path, values[path]); });
        K.forms.defaultForms().forEach(function (id) {
            if (state.record.forms.indexOf(id) < 0)
                state.record.forms.push(id);
        });
        state.record.forms = K.forms.inPacketOrder(state.record.forms)
            .concat(state.record.forms.filter(function (f) { return !K.forms.get(f); }));
        state.status = 'changed';
        openForm(state.current || firstForm(), false);
        return true;
    }, false);

    function preparePrint(mode) {
        state.printMode = mode;
        refreshStatus();
        const ids = mode === 'packet' ? K.forms.inPacketOrder(state.record.forms) : [state.current];
        document.body.dataset.print = mode;
        return K.print.build(byId('printRoot'), state.record, ids, { get: get, status: certificateStatus });
    }

    root.preparePrintCurrent = guard(function () { return preparePrint('current'); }, []);
    root.preparePrintPacket = guard(function () { return preparePrint('packet'); }, []);

    // ---- start ------------------------------------------------------------------

    function start() {
        K.commands.build(byId('commandBar'));
        byId('messageClose').addEventListener('click', clearMessage);
        // Moves the focus without a navigation, which the program would see.
        document.querySelector('.skip-link').addEventListener('click', function (event) {
            event.preventDefault();
            byId('formArea').focus();
        });
        byId('validationClose').addEventListener('click', function () {
            state.resultsShown = false;
            byId('validationPanel').hidden = true;
            refreshStatus();
        });
        byId('includeCurrent').addEventListener('click', function () { setIncluded(state.current, true); });
        // The print layout follows the data even when printing was started elsewhere.
        root.addEventListener('beforeprint', function () { preparePrint(state.printMode); });
        showRecord('new');
    }

    if (document.readyState === 'loading')
        document.addEventListener('DOMContentLoaded', start);
    else
        start();
})(typeof globalThis !== 'undefined' ? globalThis : this);
