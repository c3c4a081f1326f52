// The record model: canonical text, hostile input, defaults.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const model = require(path.join(__dirname, '../../html/js/record.js'));

function sample() {
    const record = model.emptyRecord(['mcsa-5875', 'mcsa-5876']);
    model.setValue(record, 'patient.lastName', 'TEST \u00e9\u2028\r\n\u0000 <img src=x onerror=alert(1)>');
    model.setValue(record, 'visit.bpSys', '128');
    model.setValue(record, 'mcsa-5875.driverSigned', true);
    model.setValue(record, 'provider.name', 'EXAMINER, Test');
    model.setValue(record, 'employer.name', 'Example Freight');
    return record;
}

test('the text is canonical and survives a round trip byte for byte', () => {
    const text = model.serializeRecord(sample());
    assert.ok(!text.includes('\r'), 'no raw CR');
    const again = model.parseRecord(text);
    assert.ok(again.ok);
    assert.equal(model.serializeRecord(again.record), text);
    const data = JSON.parse(text);
    assert.deepEqual(Object.keys(data), ['format', 'version', 'forms', 'shared', 'formData']);
    assert.deepEqual(Object.keys(data.shared), model.SHARED_GROUPS);
});

test('texts that are not a known record are refused with a message', () => {
    const cases = [
        'not json', '[]', 'null', '"text"', '{}', '{"format":"kestrova-defaults","version":1}',
        '{"format":"kestrova-record","version":2}', '{"format":"kestrova-record","version":"1"}',
        '{"format":"kestrova-record","version":1,"shared":{"patient":{"lastName":{"a":1}}}}',
        '{"format":"kestrova-record","version":1,"shared":{"patient":{"__proto__":"x"}}}',
        '{"format":"kestrova-record","version":1,"shared":{"patient":[]}}',
        '{"format":"kestrova-record","version":1,"shared":{"hacker":{}}}',
        '{"format":"kestrova-record","version":1,"forms":"mcsa-5875"}',
        '{"format":"kestrova-record","version":1,"forms":[{"x":1}]}',
        '{"format":"kestrova-record","version":1,"formData":{"../x":{}}}',
        '{"format":"kestrova-record","version":1,"shared":{"patient":{"lastName":"' + 'x'.repeat(model.MAX_VALUE_LENGTH + 1) + '"}}}',
        '{"format":"kestrova-record","version":1,"shared":{"patient":{"a":' + '['.repeat(100000) + ']'.repeat(100000) + '}}}'
    ];
    for (const text of cases) {
        const result = model.parseRecord(text);
        assert.equal(result.ok, false, text.slice(0, 80));
        assert.ok(result.error.length > 10, text.slice(0, 80));
    }
    assert.match(model.parseRecord('{"format":"kestrova-record","version":7}').error, /newer version/);
});

test('harmless variations are coerced', () => {
    const result = model.parseRecord('{"format":"kestrova-record","version":1,"forms":["mcsa-5875","mcsa-5875","future-form"],'
        + '"shared":{"visit":{"pulse":72,"bpSys":"","x":null,"y":false}},"formData":{"future-form":{"a":"kept"}}}');
    assert.ok(result.ok);
    assert.deepEqual(result.record.forms, ['mcsa-5875', 'future-form']);
    assert.equal(model.getValue(result.record, 'visit.pulse'), '72');
    assert.equal(model.getValue(result.record, 'visit.bpSys'), '');
    assert.equal(model.getValue(result.record, 'future-form.a'), 'kept', 'data of forms this version does not know is kept');
});

test('defaults carry the clinic, provider and employer only, and lay over only their fields', () => {
    const text = model.serializeDefaults(sample());
    const data = JSON.parse(text);
    assert.deepEqual(Object.keys(data), ['format', 'version', 'clinic', 'provider', 'employer']);
    const parsed = model.parseDefaults(text);
    assert.ok(parsed.ok);
    const target = model.emptyRecord([]);
    model.setValue(target, 'patient.lastName', 'KEEP');
    model.setValue(target, 'employer.phone', 'KEEP');
    model.setValue(target, 'employer.name', 'REPLACED');
    model.applyDefaults(target, parsed.groups);
    assert.equal(model.getValue(target, 'patient.lastName'), 'KEEP');
    assert.equal(model.getValue(target, 'employer.phone'), 'KEEP');
    assert.equal(model.getValue(target, 'employer.name'), 'Example Freight');
    assert.equal(model.getValue(target, 'provider.name'), 'EXAMINER, Test');
    for (const bad of ['', '   ', 'x', model.serializeRecord(sample()), '{"format":"kestrova-defaults","version":9}'])
        assert.equal(model.parseDefaults(bad).ok, false, bad.slice(0, 40));
});
