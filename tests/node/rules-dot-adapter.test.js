// The DOT rules as the page runs them: a table of test visits, each a change to the
// test data, and the blocking findings (linked to record fields) it must give.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');

const K = require('./page-scripts.js')();

const DOT_PAIR = ['mcsa-5875', 'mcsa-5876'];

function visit(changes, forms) {
    const record = K.record.emptyRecord(forms || DOT_PAIR.concat(['pre-placement']));
    const values = Object.assign(K.testData.values(), changes);
    for (const [p, v] of Object.entries(values))
        K.record.setValue(record, p, v);
    return record;
}

// 'rule field' of every blocking DOT finding.
function blocking(record) {
    return K.forms.validate(record, {}).filter((f) => /^D\d/.test(f.rule) && f.severity === 'error').map((f) => `${f.rule} ${f.field}`);
}

const exam = K.testData.values()['visit.examDate'];
const inTwoYears = K.dates.addMonths(exam, 24);

const VISITS = [
    ['the test data gives a certificate', {}, []],
    ['does not meet the standards', { 'mcsa-5875.determination': 'notMeet' }, ['D10 mcsa-5875.determination']],
    ['determination pending', { 'mcsa-5875.determination': 'pending', 'mcsa-5875.followUpDate': exam },
        ['D10 mcsa-5875.determination']],
    ['incomplete examination', { 'mcsa-5875.determination': 'incomplete' }, ['D10 mcsa-5875.determination']],
    ['no determination', { 'mcsa-5875.determination': '' }, ['D10 mcsa-5875.determination']],
    ['does not meet, no certificate in the record', { 'mcsa-5875.determination': 'notMeet' }, [], ['mcsa-5875']],
    ['no basis on the certificate', { 'mcsa-5876.basis': '' }, ['D10 mcsa-5876.basis']],
    ['State determination, certificate with State variances',
        { 'mcsa-5875.determination': '', 'mcsa-5875.stateDetermination': 'meets2y', 'mcsa-5875.stateExpiryDate': inTwoYears,
          'mcsa-5876.basis': 'state' }, []],
    ['State determination, certificate marked federal',
        { 'mcsa-5875.determination': '', 'mcsa-5875.stateDetermination': 'meets2y', 'mcsa-5875.stateExpiryDate': inTwoYears },
        ['D10 mcsa-5876.basis']],
    ['State determination without its expiration date, examiner unsigned',
        { 'mcsa-5875.determination': '', 'mcsa-5875.stateDetermination': 'meets2y', 'mcsa-5876.basis': 'state',
          'mcsa-5876.examinerSigned': '' },
        ['D1 mcsa-5875.stateExpiryDate', 'D10 mcsa-5876.examinerSigned']],
    ['State periodic monitoring for 6 months',
        { 'mcsa-5875.determination': '', 'mcsa-5875.stateDetermination': 'periodic', 'mcsa-5875.statePeriod': '6m',
          'mcsa-5875.stateExpiryDate': K.dates.addMonths(exam, 6), 'mcsa-5875.expiryDate': K.dates.addMonths(exam, 6),
          'mcsa-5876.basis': 'state' }, []],
    ['State periodic monitoring without a period',
        { 'mcsa-5875.determination': '', 'mcsa-5875.stateDetermination': 'periodic',
          'mcsa-5875.stateExpiryDate': K.dates.addMonths(exam, 6), 'mcsa-5875.expiryDate': K.dates.addMonths(exam, 6),
          'mcsa-5876.basis': 'state' }, ['D2 mcsa-5875.statePeriod']],
    ['State determination pending, follow-up on day 46',
        { 'mcsa-5875.determination': '', 'mcsa-5875.stateDetermination': 'pending', 'mcsa-5875.stateFollowUpDate': K.dates.addDays(exam, 46),
          'mcsa-5876.basis': 'state' }, ['D9 mcsa-5875.stateFollowUpDate', 'D10 mcsa-5875.stateDetermination']],
    ['other period over 24 months',
        { 'mcsa-5875.determination': 'periodic', 'mcsa-5875.period': 'other', 'mcsa-5875.periodOther': '30' },
        ['D2 mcsa-5875.periodOther']],
    ['blood pressure not taken', { 'visit.bpSys': '' }, ['D4 visit.bpSys']],
    ['blood pressure not taken, driver does not meet the standards', { 'visit.bpSys': '', 'mcsa-5875.determination': 'notMeet' },
        ['D10 mcsa-5875.determination']],
    ['acuity with letters missed', { 'visit.visLeftUnc': '20/40-2', 'visit.visRightCor': '20/30+1' }, []],
    ['alternative standard, blind right eye',
        { 'mcsa-5875.altVision': true, 'mcsa-5875.form5871Date': exam, 'mcsa-5875.determination': 'periodic', 'mcsa-5875.period': '1y',
          'mcsa-5875.expiryDate': K.dates.addMonths(exam, 12), 'visit.visRightUnc': 'NLP', 'visit.visRightCor': '', 'visit.visFieldRight': '' },
        []],
    ['colour vision failed on the pre-placement exam only', { 'pre-placement.colorVision': 'no' }, []],
    ['traffic-signal colours not recognised on the MCSA-5875', { 'visit.visColor': 'no' }, ['D5 visit.visColor']]
];

test.describe('DOT rules on test visits', () => {
    for (const [name, changes, expected, forms] of VISITS)
        test(name, () => assert.deepEqual(blocking(visit(changes, forms)), expected));
});

test('the pre-placement colour answer is its own field; the MCSA-5875 one stays where records keep it', () => {
    const paths = (id) => K.forms.fieldsOf(K.forms.get(id)).map(({ field }) => field.path);
    assert.ok(paths('pre-placement').includes('pre-placement.colorVision'));
    assert.ok(!paths('pre-placement').includes('visit.visColor'));
    assert.ok(paths('mcsa-5875').includes('visit.visColor'));
});

test('the driver\'s state/province fields keep every US code and add Canada and Mexico; the examiner\'s stay US', () => {
    const us = K.forms.builders.STATES.map((o) => o.value);
    const extra = ['AB', 'BC', 'MB', 'NB', 'NL', 'NS', 'NT', 'NU', 'ON', 'PE', 'QC', 'SK', 'YT', 'MX'];
    for (const id of DOT_PAIR) {
        for (const { field } of K.forms.fieldsOf(K.forms.get(id))) {
            const values = (field.options || []).map((o) => o.value);
            if (field.path === 'patient.state' || field.path === 'patient.licenseState') {
                assert.match(field.label, /province/i, `${id} ${field.path}`);
                assert.deepEqual(values, us.concat(extra), `${id} ${field.path}`);
            } else if (/state$/i.test(field.path) && field.type === 'select') {
                assert.deepEqual(values, us, `${id} ${field.path}`);
            }
        }
    }
});
