// The form definitions: every field binds to a path the record model can hold.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');

const K = require('./page-scripts.js')();

test('form definitions are well formed', () => {
    const definitions = K.forms.list();
    assert.ok(definitions.length >= 3);
    const families = K.forms.FAMILIES.map((f) => f.id);
    const ids = definitions.map((d) => d.id);
    for (const d of definitions) {
        assert.ok(families.includes(d.family), d.id);
        assert.ok(d.code && d.title && d.revision, d.id);
        assert.ok(K.forms.PACKET_ORDER.includes(d.id), d.id + ' has a place in the packet');
        const sections = new Set();
        for (const s of d.sections) {
            assert.ok(!sections.has(s.id), d.id + ' section ' + s.id);
            sections.add(s.id);
            for (const block of s.blocks) {
                for (const f of block.row || [])
                    assert.ok(Number.isInteger(f.width) && f.width >= 1 && f.width <= 12, `${d.id}/${s.id}: ${f.path || f.label}`);
            }
        }
        for (const { field } of K.forms.fieldsOf(d)) {
            const dot = field.path.indexOf('.');
            const group = field.path.slice(0, dot), key = field.path.slice(dot + 1);
            assert.ok(K.record.SHARED_GROUPS.includes(group) || ids.includes(group), field.path);
            assert.match(key, /^[A-Za-z][A-Za-z0-9_]{0,63}$/, field.path);
            assert.ok(field.label, field.path);
            if (field.type === 'select' || field.type === 'radio')
                assert.ok(field.options.length >= 2, field.path);
        }
    }
});

test('every field a DOT finding links to is shown on a DOT form', () => {
    const shown = new Set();
    for (const id of ['mcsa-5875', 'mcsa-5876'])
        K.forms.fieldsOf(K.forms.get(id)).forEach(({ field }) => shown.add(field.path));
    for (const [key, recordPath] of Object.entries(K.rulesDotAdapter.FIELDS))
        assert.ok(shown.has(recordPath), key + ' -> ' + recordPath);
});

test('validation of an empty DOT record finds what is missing without throwing', () => {
    const record = K.record.emptyRecord(K.forms.defaultForms());
    K.record.setValue(record, 'mcsa-5875.determination', 'meets2y');
    const findings = K.forms.validate(record, {});
    assert.ok(findings.some((f) => f.rule === 'D10' && f.severity === 'error'));
    assert.ok(findings.every((f) => f.field && f.forms.includes('mcsa-5876')));
});
