// The workplace rules as the page runs them: record fields in, findings linked to
// the fields that show them. A table of test visits, each a change to the test data.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');

const K = require('./page-scripts.js')();
const d = K.dates;

const exam = d.today();
const injury = d.addDays(exam, -3);

function visit(changes, forms) {
    const record = K.record.emptyRecord(forms || K.forms.list().map((f) => f.id));
    const values = Object.assign(K.testData.values(), changes);
    for (const [p, v] of Object.entries(values))
        K.record.setValue(record, p, v);
    return record;
}

// 'rule severity field' of every finding outside the DOT rules.
function workplace(record) {
    return K.forms.validate(record, {}).filter((f) => !/^D\d/.test(f.rule)).map((f) => `${f.rule} ${f.severity} ${f.field}`);
}

const resCleared = {};
for (const a of K.forms.builders.ACTIVITIES) {
    resCleared[`visit.res${a.key.toUpperCase()}Hours`] = '';
    resCleared[`visit.res${a.key.toUpperCase()}Limit`] = '';
}

const VISITS = [
    ['the test data passes', {}, []],
    // drug and alcohol testing
    ['44 mL of urine', { 'drug-alcohol.volumeMl': '44' }, ['T1 error drug-alcohol.volumeMl']],
    ['45 mL of urine', { 'drug-alcohol.volumeMl': '45' }, []],
    ['89 °F, read after 5 minutes', { 'drug-alcohol.temperature': '89', 'drug-alcohol.temperatureMinutes': '5' },
        ['T1 error drug-alcohol.temperature', 'T1 error drug-alcohol.temperatureMinutes']],
    ['non-DOT collection is not held to Part 40', { 'drug-alcohol.authority': 'non-DOT', 'drug-alcohol.volumeMl': '30' }, []],
    ['alcohol screen 0.02 without confirmation', { 'drug-alcohol.screenResult': '0.020' }, ['T2 error drug-alcohol.confirmResult']],
    ['confirmation 14 minutes after the screen, 0.04',
        { 'drug-alcohol.screenResult': '0.05', 'drug-alcohol.confirmResult': '0.04', 'drug-alcohol.confirmTime': '09:44' },
        ['T2 error drug-alcohol.confirmTime', 'T3 warning drug-alcohol.confirmResult']],
    ['confirmation 15 minutes after the screen, 0.039',
        { 'drug-alcohol.screenResult': '0.04', 'drug-alcohol.confirmResult': '0.039', 'drug-alcohol.confirmTime': '09:45' },
        ['T3 warning drug-alcohol.confirmResult']],
    // OSHA 301 and the 300 Log
    ['301 completed on day 7', { 'osha-301.learnedDate': d.addDays(exam, -7) }, []],
    ['301 completed on day 8', { 'osha-301.learnedDate': d.addDays(exam, -8) }, ['O-1 warning osha-301.completedDate']],
    ['restriction counted from the day of injury',
        { 'osha-301.restrictedFrom': injury },
        ['O-2 warning osha-301.restrictedFrom']],
    ['days restricted that the dates do not give', { 'osha-301.daysRestricted': '12' }, ['O-2 warning osha-301.daysRestricted']],
    ['needlestick narrative not marked private', { 'osha-301.injury': 'Needlestick to the left index finger.' },
        ['O-3 warning osha-301.privacyCase']],
    ['needlestick narrative marked private', { 'osha-301.injury': 'Needlestick to the left index finger.', 'osha-301.privacyCase': true }, []],
    ['employee named in a narrative', { 'osha-301.object': 'Patient dropped the carton.' }, ['O-3 warning osha-301.object']],
    // hearing
    ['shift of 9.3 dB is no STS', { 'visit.aud4000R': '33' }, []],
    ['shift of 10 dB at 23.3 dB is an STS, not recordable', { 'visit.aud2000R': '20', 'visit.aud3000R': '20', 'visit.aud4000R': '30', 'visit.aud6000R': '30',
        'pre-placement.base2000R': '5', 'pre-placement.base3000R': '10', 'pre-placement.base4000R': '25' },
        ['O-4 warning visit.aud2000R']],
    ['STS at an average of 25 dB is recordable', { 'visit.aud4000R': '45', 'visit.aud3000R': '30' },
        ['O-4 warning visit.aud2000R', 'O-4 warning visit.aud2000R']],
    // respirator
    ['"yes" in Section 2 and cleared', { 'respirator-questionnaire.q3b': 'yes' }, ['O-5 error plhcp-recommendation.status']],
    ['"yes" in Section 2, follow-up pending', { 'respirator-questionnaire.q3b': 'yes', 'plhcp-recommendation.status': 'pending' },
        ['O-5 warning plhcp-recommendation.followUpDone']],
    ['"yes" in Section 2, follow-up done', { 'respirator-questionnaire.q3b': 'yes', 'plhcp-recommendation.followUpDone': true }, []],
    ['question 8 not answered, never used a respirator',
        { 'respirator-questionnaire.q8a': '', 'respirator-questionnaire.q8e': '', 'respirator-questionnaire.q8none': true }, []],
    ['question 8 not answered', { 'respirator-questionnaire.q8c': '' }, ['O-5 error respirator-questionnaire.q8c']],
    ['Section 1 without the best time to phone', { 'respirator-questionnaire.bestTime': '' }, ['O-5 error respirator-questionnaire.bestTime']],
    ['full facepiece with question 15j open', { 'respirator-questionnaire.typeFull': true, 'respirator-questionnaire.q15j': '' },
        ['O-5 error respirator-questionnaire.q15j']],
    ['half facepiece with question 15j open', { 'respirator-questionnaire.q15j': '' }, []],
    ['height given in inches only', { 'visit.heightFt': '', 'visit.heightIn': '70' }, []],
    ['no height', { 'visit.heightFt': '', 'visit.heightIn': '' }, ['O-5 error visit.heightFt']],
    ['fit test a year before the exam', { 'plhcp-recommendation.fitTestDate': d.addMonths(exam, -12) }, []],
    ['fit test a year and a day before the exam', { 'plhcp-recommendation.fitTestDate': d.addDays(d.addMonths(exam, -12), -1) },
        ['O-5 error plhcp-recommendation.fitTestDate']],
    ['new facepiece', { 'plhcp-recommendation.facepieceChanged': true }, ['O-5 error plhcp-recommendation.facepieceChanged']],
    ['disposal review while employed', { 'visit-face-sheet.disposalReview': true }, ['O-6 warning visit-face-sheet.employmentEnd']],
    ['disposal review 31 years after employment', { 'visit-face-sheet.disposalReview': true, 'visit-face-sheet.employmentEnd': d.addMonths(exam, -372) }, []],
    // FMLA
    ['return-by date 14 days after the request', { 'wh-380-e.returnByDate': d.addDays(exam, 14) }, ['L-1 error wh-380-e.returnByDate']],
    ['continuous leave ending before it starts, duration "lifetime"',
        { 'wh-380-e.continuousTo': d.addDays(injury, -1), 'wh-380-e.probableDuration': 'lifetime' },
        ['L-2 error wh-380-e.continuousTo', 'L-2 warning wh-380-e.probableDuration']],
    ['flare-ups without a unit', { 'wh-380-f.flareFrequencyUnit': '' }, ['L-2 error wh-380-f.flareFrequency']],
    ['recertification after 20 days', { 'wh-380-f.lastCertDate': d.addDays(exam, -20), 'wh-380-f.withAbsence': 'yes' },
        ['L-3 warning wh-380-f.requestDate']],
    ['recertification after 30 days', { 'wh-380-f.lastCertDate': d.addDays(exam, -30), 'wh-380-f.withAbsence': 'yes' }, []],
    ['incapacity of 3 days', { 'wh-380-e.incapacityTo': d.addDays(injury, 2), 'wh-380-e.continuousTo': d.addDays(injury, 2) },
        ['L-4 warning wh-380-e.incapacityTo']],
    ['first visit 8 days into the incapacity', { 'wh-380-e.incapacityFrom': d.addDays(injury, -8), 'wh-380-e.visitDates': d.toUs(injury) },
        ['L-4 warning wh-380-e.visitDates']],
    ['chronic condition seen once a year', { 'wh-380-f.visitsPerYear': '1' }, ['L-4 warning wh-380-f.visitsPerYear']],
    ['inpatient stay for a chronic condition seen once a year', { 'wh-380-f.categoryInpatient': true, 'wh-380-f.visitsPerYear': '1' },
        ['L-4 warning wh-380-f.visitsPerYear']],
    ['no category ticked, the dates fit incapacity plus treatment', { 'wh-380-e.categoryIncapacity': '' },
        ['L-4 warning wh-380-e.categoryIncapacity']],
    ['federal employer under Title II', { 'employer.fmlaRegime': 'title2' },
        ['L-5 warning employer.fmlaRegime', 'L-5 warning employer.fmlaRegime']],
    // FECA
    ['CA-16 issued 4 hours after the injury', { 'ca-16.issuedTime': '12:40' }, []],
    ['CA-16 issued 4 hours 1 minute after the injury', { 'ca-16.issuedTime': '12:41' }, ['W-1 warning ca-16.issuedDate']],
    ['CA-16 for an occupational disease without permission', { 'ca-16.occupationalDisease': true }, ['W-1 warning ca-16.owcpPermission']],
    ['treatment on day 60', { 'ca-16.treatmentDates': d.toUs(d.addDays(injury, 60)) }, []],
    ['treatment on day 61', { 'ca-16.treatmentDates': d.toUs(d.addDays(injury, 61)) }, ['W-2 error ca-16.treatmentDates']],
    ['non-emergency surgery without approval', { 'ca-16.surgery': true }, ['W-2 warning ca-16.surgery']],
    ['not able to do regular work, no restrictions', Object.assign({ 'visit.restrictions': '' }, resCleared), ['W-3 error visit.resAHours']],
    ['not able to do regular work, only a temperature range', Object.assign({ 'visit.restrictions': '' }, resCleared, { 'visit.resOLimit': '60-80' }), []],
    ['not able to do regular work, only a noise limit', Object.assign({ 'visit.restrictions': '' }, resCleared, { 'visit.resSLimit': '85' }), []],
    ['not able to do regular work, only hours of "other"', Object.assign({ 'visit.restrictions': '' }, resCleared, { 'visit.resTHours': '2' }), []],
    ['restriction longer than the hours allowed', { 'visit.resMHours': '9' }, ['W-3 error visit.resMHours']],
    ['usual requirement longer than the working day', { 'employer.reqMHours': '11' }, ['W-3 error employer.reqMHours']],
    ['"pain" alone, no ICD code', { 'case.diagnosis': 'Low back pain', 'case.icdCodes': '' },
        ['W-4 error case.diagnosis', 'W-4 error case.icdCodes']],
    ['causation without reasons, partial disability without limitations',
        { 'case.causationExplanation': '', 'case.limitations': '' },
        ['W-4 error case.causationExplanation', 'W-4 error case.limitations']],
    ['return before the disability starts', { 'case.returnDate': d.addDays(injury, -1) }, ['W-4 error case.returnDate']],
    ['occipital neuralgia', { 'case.diagnosis': 'Occipital neuralgia', 'case.icdCodes': 'M54.81' }, []],
    ['COVID-19 code U07.1', { 'case.icdCodes': 'U07.1' }, []],
    ['nurse practitioner signs', { 'provider.credential': 'NP' }, ['W-5 warning provider.credential']],
    ['nurse practitioner signs, physician co-signs', { 'provider.credential': 'NP', 'case.physicianCosigned': true }, []],
    ['credential "APRN, FNP-BC"', { 'provider.credential': 'APRN, FNP-BC', 'provider.occupation': 'apn' }, ['W-5 warning provider.credential']],
    ['no credential, examiner occupation physician assistant', { 'provider.credential': '', 'provider.occupation': 'pa' },
        ['W-5 warning provider.occupation']],
    // identifiers
    ['NPI with a wrong check digit', { 'provider.npi': '1234567890' }, ['ID-1 error provider.npi']],
    ['SSN in the 666 area', { 'patient.ssn': '666-12-3456' }, ['ID-1 error patient.ssn']]
];

test.describe('workplace rules on test visits', () => {
    for (const [name, changes, expected] of VISITS)
        test(name, () => assert.deepEqual(workplace(visit(changes)), expected));
});

test('a rule runs only when the record includes its form', () => {
    const changes = { 'drug-alcohol.volumeMl': '10', 'ca-16.surgery': true, 'wh-380-e.returnByDate': exam, 'osha-301.daysRestricted': '99' };
    assert.deepEqual(workplace(visit(changes, ['visit-face-sheet', 'mcsa-5875', 'mcsa-5876'])), []);
    assert.deepEqual(workplace(visit(changes, ['ca-16'])), ['W-2 warning ca-16.surgery']);
});

test('every finding links to a field shown on a form it names or on the face sheet', () => {
    const shown = (formId) => new Set(K.forms.fieldsOf(K.forms.get(formId)).map(({ field }) => field.path));
    const face = shown('visit-face-sheet');
    let count = 0;
    for (const [name, changes] of VISITS) {
        for (const f of K.forms.validate(visit(changes), {})) {
            if (/^D\d/.test(f.rule))
                continue;
            count += 1;
            assert.ok(f.field && f.forms.some((id) => shown(id).has(f.field)) || face.has(f.field), `${name}: ${f.rule} ${f.field}`);
        }
    }
    assert.ok(count > 0);
});

test('a WH-380 saved with one category opens with that box ticked', () => {
    const old = visit({ 'wh-380-e.categoryIncapacity': '', 'wh-380-e.category': 'incapacity', 'wh-380-e.incapacityTo': d.addDays(injury, 2),
        'wh-380-e.continuousTo': d.addDays(injury, 2), 'wh-380-f.categoryChronic': '', 'wh-380-f.category': 'chronic' });
    const parsed = K.record.parseRecord(K.record.serializeRecord(old));
    assert.ok(parsed.ok);
    const record = parsed.record;
    assert.equal(K.record.getValue(record, 'wh-380-e.categoryIncapacity'), true);
    assert.equal(K.record.getValue(record, 'wh-380-f.categoryChronic'), true);
    assert.equal(K.record.getValue(record, 'wh-380-e.category'), '');
    assert.deepEqual(workplace(record), ['L-4 warning wh-380-e.incapacityTo']);
    // A value that names no category is kept as it was.
    const odd = visit({ 'wh-380-e.category': 'other' });
    assert.equal(K.record.getValue(K.record.parseRecord(K.record.serializeRecord(odd)).record, 'wh-380-e.category'), 'other');
});

test('WH-380 Part A shows a box for every category', () => {
    for (const id of ['wh-380-e', 'wh-380-f']) {
        const boxes = K.forms.fieldsOf(K.forms.get(id)).map(({ field }) => field)
            .filter((f) => /\.category[A-Z]/.test(f.path) && f.type === 'checkbox').map((f) => f.path);
        assert.deepEqual(boxes, ['Inpatient', 'Incapacity', 'Pregnancy', 'Chronic', 'Permanent', 'Multiple', 'None'].map((c) => `${id}.category${c}`));
    }
});

test('date lists take US and ISO dates and leave out the rest', () => {
    assert.deepEqual(K.rulesWorkplaceAdapter.dateList('3/4/2025, 2025-03-09; 02/30/2025 soon'), ['2025-03-04', '2025-03-09']);
    assert.deepEqual(K.rulesWorkplaceAdapter.dateList(''), []);
});
