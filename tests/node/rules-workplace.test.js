'use strict';

const test = require('node:test');
const assert = require('node:assert/strict');
const r = require('../../html/js/rules-workplace.js');

// 'severity field' per finding, enough to tell which check fired.
const brief = (findings) => findings.map((f) => f.severity + ' ' + f.field);

function table(rule, cases) {
    for (const [name, input, expected] of cases) {
        test(name, () => assert.deepEqual(brief(rule(input)), expected));
    }
}

test('every finding has rule, severity, message and cite', () => {
    const samples = [
        r.T1({ volumeMl: 10 }), r.O4({ baseline: { left: { 2000: 0, 3000: 0, 4000: 0 } }, current: { left: { 2000: 30, 3000: 30, 4000: 30 } } }),
        r.W4({}), r.ID1({ npi: '1' }),
    ].flat();
    for (const f of samples) {
        assert.match(f.rule, /^(T\d|[OLW]-\d|ID-1)$/);
        assert.ok(f.severity === 'error' || f.severity === 'warning');
        assert.ok(f.message.length > 10 && f.cite.length > 3);
    }
});

test('rules say nothing without inputs (CA-20 still requires an ICD code)', () => {
    for (const name of ['T1', 'T2', 'T3', 'O1', 'O2', 'O3', 'O4', 'O5', 'O6', 'L1', 'L2', 'L3', 'L4', 'L5', 'W1', 'W2', 'W3', 'W5', 'ID1']) {
        assert.deepEqual(r[name]({}), [], name);
        assert.deepEqual(r[name](undefined), [], name);
    }
    assert.deepEqual(brief(r.W4({})), ['error icdCodes']);
});

test.describe('calendar dates', () => {
    test('invalid dates are rejected, not rolled over', () => {
        assert.equal(r.dayNumber('2025-02-29'), null);
        assert.equal(r.dayNumber('2025-13-01'), null);
        assert.equal(r.dayNumber('03/01/2025'), null);
        assert.equal(r.daysBetween('2024-02-28', '2024-03-01'), 2);
    });
    test('month arithmetic clamps to the last day of the month', () => {
        assert.equal(r.addMonths('2025-01-31', 1), '2025-02-28');
        assert.equal(r.addMonths('2024-01-31', 1), '2024-02-29');
        assert.equal(r.addMonths('2025-11-15', 3), '2026-02-15');
        assert.equal(r.addYears('2024-02-29', 1), '2025-02-28');
    });
    test('US display format', () => assert.equal(r.formatUsDate('2025-07-04'), '07/04/2025'));
});

test.describe('T1 urine collection', () => {
    table(r.T1, [
        ['45 mL is enough', { volumeMl: 45 }, []],
        ['44 mL is not', { volumeMl: 44 }, ['error volumeMl']],
        ['32 °C in range', { temperature: 32, temperatureUnit: 'C' }, []],
        ['38 °C in range', { temperature: 38, temperatureUnit: 'C' }, []],
        ['31.9 °C out', { temperature: 31.9, temperatureUnit: 'C' }, ['error temperature']],
        ['38.1 °C out', { temperature: 38.1, temperatureUnit: 'C' }, ['error temperature']],
        ['90 °F in range', { temperature: 90, temperatureUnit: 'F' }, []],
        ['100 °F in range', { temperature: '100', temperatureUnit: '°F' }, []],
        ['89.9 °F out', { temperature: 89.9, temperatureUnit: 'F' }, ['error temperature']],
        ['100.1 °F out', { temperature: 100.1, temperatureUnit: 'F' }, ['error temperature']],
        ['unit taken from the value', { temperature: 95 }, []],
        ['box "No" without a reading', { temperatureInRange: false }, ['error temperatureInRange']],
        ['box contradicts the reading', { temperature: 35, temperatureUnit: 'C', temperatureInRange: false }, ['warning temperatureInRange']],
        ['read at 4 minutes', { temperatureReadMinutes: 4 }, []],
        ['read at 5 minutes', { temperatureReadMinutes: 5 }, ['error temperatureReadMinutes']],
        ['non-DOT collection is employer policy', { authority: 'non-DOT', volumeMl: 30 }, []],
    ]);
    test('cites volume and temperature paragraphs', () => {
        assert.deepEqual(r.T1({ volumeMl: 44, temperature: 39, temperatureUnit: 'C' }).map((f) => f.cite),
            ['49 CFR 40.65(a)', '49 CFR 40.65(b)']);
    });
});

test.describe('alcohol', () => {
    test('outcome bands at the thresholds', () => {
        const cases = [[0, 'negative'], [0.019, 'negative'], [0.02, 'removal'], ['0.020', 'removal'],
            [0.039, 'removal'], [0.04, 'violation'], [0.1, 'violation'], ['', null], [-0.01, null]];
        for (const [value, band] of cases) assert.equal(r.alcoholBand(value), band, String(value));
    });

    test.describe('T2 confirmation', () => {
        table(r.T2, [
            ['screen 0.019 needs no confirmation', { screenResult: 0.019 }, []],
            ['screen 0.02 needs confirmation', { screenResult: 0.02 }, ['error confirmationResult']],
            ['confirmed at 15 minutes', { screenResult: 0.03, screenTime: '10:00', confirmationResult: 0.03, confirmationTime: '10:15' }, []],
            ['confirmed at 14 minutes', { screenResult: 0.03, screenTime: '10:00', confirmationResult: 0.03, confirmationTime: '10:14' }, ['error confirmationTime']],
            ['confirmed at 30 minutes', { screenResult: 0.03, screenTime: '10:00', confirmationResult: 0.03, confirmationTime: '10:30' }, []],
            ['confirmed at 31 minutes', { screenResult: 0.03, screenTime: '10:00', confirmationResult: 0.03, confirmationTime: '10:31' }, ['error confirmationTime']],
            ['waiting period across midnight', { screenResult: 0.05, screenTime: '23:50', confirmationResult: 0.05, confirmationTime: '00:10' }, []],
        ]);
    });

    test.describe('T3 consequences', () => {
        const cite = (input) => r.T3(input).map((f) => f.cite);
        table(r.T3, [
            ['confirmed 0.019', { screenResult: 0.03, confirmationResult: 0.019 }, []],
            ['confirmed 0.02', { screenResult: 0.03, confirmationResult: 0.02 }, ['warning confirmationResult']],
            ['confirmed 0.039', { screenResult: 0.05, confirmationResult: 0.039 }, ['warning confirmationResult']],
            ['confirmed 0.04', { screenResult: 0.05, confirmationResult: 0.04 }, ['warning confirmationResult']],
            ['negative screen ends the test', { screenResult: 0.01 }, []],
            ['unconfirmed positive screen is left to T2', { screenResult: 0.05 }, []],
            ['non-DOT', { authority: 'non-DOT', confirmationResult: 0.05 }, []],
        ]);
        test('FMCSA rules for drivers, Part 40 for other agencies', () => {
            assert.deepEqual(cite({ authority: 'FMCSA', confirmationResult: 0.03 }), ['49 CFR 382.505(a)']);
            assert.deepEqual(cite({ authority: 'FMCSA', confirmationResult: 0.04 }), ['49 CFR 382.201']);
            assert.deepEqual(cite({ authority: 'FTA', confirmationResult: 0.03 }), ['49 CFR 40.23(c)']);
            assert.match(r.T3({ confirmationResult: 0.02 })[0].message, /24 hours/);
        });
    });
});

test.describe('O-1 Form 301 within 7 calendar days', () => {
    table(r.O1, [
        ['completed on day 7', { learnedDate: '2025-03-03', completedDate: '2025-03-10' }, []],
        ['completed on day 8', { learnedDate: '2025-03-03', completedDate: '2025-03-11' }, ['warning completedDate']],
        ['open, day 7', { learnedDate: '2025-03-03', asOf: '2025-03-10' }, []],
        ['open, day 8', { learnedDate: '2025-03-03', asOf: '2025-03-11' }, ['warning completedDate']],
    ]);
    test('cite', () => assert.equal(r.O1({ learnedDate: '2025-03-03', completedDate: '2025-03-20' })[0].cite, '29 CFR 1904.29(b)(3)'));
});

test.describe('O-2 OSHA day counts', () => {
    test('day of injury excluded, capped at 180', () => {
        const cases = [
            ['2025-01-10', '2025-01-10', '2025-01-12', 2],
            ['2025-01-10', '2025-01-11', '2025-01-11', 1],
            ['2025-01-10', '2025-01-10', '2025-01-10', 0],
            ['2024-12-31', '2025-01-01', '2025-06-29', 180],
            ['2024-12-31', '2025-01-01', '2025-06-30', 180],
            ['2025-01-10', '2025-01-11', '', null],
        ];
        for (const [injury, from, to, days] of cases) assert.equal(r.oshaDayCount(injury, from, to), days, from + '..' + to);
    });
    test('away and restricted share the 180-day cap', () => {
        assert.deepEqual(r.oshaDayCounts({ injuryDate: '2025-01-01', awayFrom: '2025-01-02', awayTo: '2025-05-31',
            restrictedFrom: '2025-06-01', restrictedTo: '2025-07-30' }), { daysAway: 150, daysRestricted: 30 });
    });
    const base = { injuryDate: '2025-01-10', awayFrom: '2025-01-11', awayTo: '2025-01-20' };
    table(r.O2, [
        ['entered count matches', { ...base, daysAway: 10 }, []],
        ['entered count differs', { ...base, daysAway: 11 }, ['warning daysAway']],
        ['range starts on the day of injury', { ...base, awayFrom: '2025-01-10' }, ['warning awayFrom']],
        ['range reversed', { ...base, awayTo: '2025-01-09' }, ['warning awayTo']],
        ['over 180', { injuryDate: '2025-01-10', daysRestricted: 181 }, ['warning daysRestricted']],
        ['uncapped count is accepted', { injuryDate: '2024-12-31', awayFrom: '2025-01-01', awayTo: '2025-05-31',
            restrictedFrom: '2025-06-01', restrictedTo: '2025-06-30', daysAway: 151, daysRestricted: 30 }, []],
    ]);
});

test.describe('O-3 privacy cases', () => {
    table(r.O3, [
        ['needlestick not flagged', { narratives: { whatHappened: 'Needlestick while recapping' } }, ['warning privacyCase']],
        ['needlestick flagged', { privacyCase: true, narratives: { whatHappened: 'Needlestick while recapping' } }, []],
        ['ordinary injury', { narratives: { whatHappened: 'Slipped on wet floor, bruised knee' } }, []],
        ['name in the narrative', { employeeName: 'Dana Whitfield', narratives: { whatHappened: 'Whitfield slipped on ice' } }, ['warning whatHappened']],
        ['SSN in the narrative', { narratives: { injury: 'ID 123-45-6789 cut hand' } }, ['warning injury']],
    ]);
});

test.describe('O-4 hearing', () => {
    const base = { right: { 2000: 10, 3000: 10, 4000: 10 }, left: { 2000: 15, 3000: 15, 4000: 15 } };
    const sts = (right) => r.standardThresholdShift(base, { right, left: base.left }).right;
    test('10 dB average shift is a threshold shift, 9.7 is not', () => {
        assert.equal(sts({ 2000: 20, 3000: 20, 4000: 20 }).sts, true);
        assert.equal(sts({ 2000: 20, 3000: 20, 4000: 19 }).sts, false);
        assert.equal(sts({ 2000: 10, 3000: 10, 4000: 40 }).averageShift, 10);
    });
    test('recordable only with a 25 dB average level in that ear', () => {
        assert.equal(sts({ 2000: 25, 3000: 25, 4000: 25 }).recordable, true);
        assert.equal(sts({ 2000: 25, 3000: 25, 4000: 24 }).recordable, false);
        assert.equal(sts({ 2000: 25, 3000: 25, 4000: 24 }).sts, true);
    });
    test('an ear with a missing frequency is not judged', () => {
        const res = r.standardThresholdShift(base, { right: { 2000: 40, 3000: 40 }, left: base.left });
        assert.equal(res.right, null);
        assert.equal(res.left.sts, false);
    });
    test('findings per ear with their cites', () => {
        const current = { right: base.right, left: { 2000: 30, 3000: 30, 4000: 30 } };
        const found = r.O4({ baseline: base, current });
        assert.deepEqual(found.map((f) => f.field + ' ' + f.cite), ['left 29 CFR 1910.95(g)(10)(i)', 'left 29 CFR 1904.10']);
    });
});

test.describe('O-5 respirator questionnaire', () => {
    const section1 = Object.fromEntries(r.RESPIRATOR_SECTION1_ITEMS.map((k) => [k, 'x']));
    const allNo = (keys) => Object.fromEntries(keys.map((k) => [k, 'no']));
    const section2 = allNo(r.RESPIRATOR_SECTION2_ITEMS);
    const full = { ...section2, ...allNo(r.RESPIRATOR_FULL_FACEPIECE_ITEMS) };
    const without = (obj, ...keys) => Object.fromEntries(Object.entries(obj).filter(([k]) => !keys.includes(k)));

    test('question lists match Appendix C', () => {
        assert.equal(r.RESPIRATOR_SECTION2_ITEMS.length, 1 + 5 + 12 + 14 + 8 + 6 + 4 + 5 + 1);
        assert.equal(r.RESPIRATOR_FULL_FACEPIECE_ITEMS.length, 1 + 4 + 1 + 3 + 1 + 10);
    });
    table(r.O5, [
        ['complete, all no, cleared', { section1, section2, cleared: true }, []],
        ['Section 1 item missing', { section1: without(section1, '8'), section2 }, ['error section1']],
        ['Section 2 question unanswered', { section1, section2: without(section2, '3f') }, ['error section2']],
        ['never used a respirator skips 8a-e', { section1, section2: { ...without(section2, '8a', '8b', '8c', '8d', '8e'), '8none': true } }, []],
        ['full facepiece needs 10-15', { fullFacepieceOrScba: true, section1, section2 }, ['error section2']],
        ['full facepiece answered', { fullFacepieceOrScba: true, section1, section2: full }, []],
        ['yes and cleared without follow-up', { section1, section2: { ...section2, '1': 'yes' }, cleared: true }, ['error cleared']],
        ['yes, clearance pending', { section1, section2: { ...section2, '5g': true } }, ['warning followUpDone']],
        ['yes with follow-up done', { section1, section2: { ...section2, '5g': 'yes' }, cleared: true, followUpDone: true }, []],
        ['yes to 10-15 alone needs no follow-up', { fullFacepieceOrScba: true, section1, section2: { ...full, '14': 'yes' }, cleared: true }, []],
        ['fit test on the anniversary', { fitTestDate: '2024-02-29', asOf: '2025-02-28' }, []],
        ['fit test a day late', { fitTestDate: '2024-02-29', asOf: '2025-03-01' }, ['error fitTestDate']],
        ['new facepiece', { facepieceChanged: true }, ['error facepieceChanged']],
        ['changed physical condition', { physicalConditionChanged: true }, ['error physicalConditionChanged']],
    ]);
});

test.describe('O-6 record retention', () => {
    table(r.O6, [
        ['still employed', { stillEmployed: true }, ['warning stillEmployed']],
        ['a day before 30 years', { employmentEndDate: '2000-06-30', asOf: '2030-06-29' }, ['warning employmentEndDate']],
        ['30 years reached', { employmentEndDate: '2000-06-30', asOf: '2030-06-30' }, []],
        ['under a year, records given to the employee', { employmentEndDate: '2024-06-30', asOf: '2025-01-01', employedUnderOneYear: true, recordsGivenToEmployee: true }, []],
    ]);
});

test.describe('FMLA', () => {
    test('minimum return-by date', () => assert.equal(r.fmlaMinimumReturnBy('2025-12-20'), '2026-01-04'));
    table(r.L1, [
        ['15 days allowed', { requestDate: '2025-01-01', returnByDate: '2025-01-16' }, []],
        ['14 days allowed', { requestDate: '2025-01-01', returnByDate: '2025-01-15' }, ['error returnByDate']],
    ]);
    table(r.L2, [
        ['range in order', { ranges: [{ field: 'continuous', from: '2025-02-01', to: '2025-02-01' }] }, []],
        ['range reversed', { ranges: [{ field: 'continuous', from: '2025-02-02', to: '2025-02-01' }] }, ['error continuous']],
        ['frequency complete', { frequencies: [{ field: 'flareUps', frequency: 2, frequencyUnit: 'month', duration: '1', durationUnit: 'day' }] }, []],
        ['frequency without units', { frequencies: [{ field: 'flareUps', frequency: 2, duration: 1 }] }, ['error flareUps']],
        ['frequency as words', { frequencies: [{ field: 'flareUps', frequency: 'often', frequencyUnit: 'month', duration: 1, durationUnit: 'day' }] }, ['error flareUps']],
        ['frequency left blank', { frequencies: [{ field: 'flareUps', frequency: '' }] }, []],
        ['vague durations', { texts: { probableDuration: 'Lifetime', flareUpNotes: 'unknown', other: 'Indeterminate' } },
            ['warning probableDuration', 'warning flareUpNotes', 'warning other']],
        ['an estimate', { texts: { probableDuration: '6 months' } }, []],
    ]);
    const last = { lastCertificationDate: '2025-01-01', withAbsence: true };
    table(r.L3, [
        ['29 days after', { ...last, requestDate: '2025-01-30' }, ['warning requestDate']],
        ['30 days after', { ...last, requestDate: '2025-01-31' }, []],
        ['not with an absence', { ...last, requestDate: '2025-03-01', withAbsence: false }, ['warning withAbsence']],
        ['before a 60-day minimum ends', { ...last, requestDate: '2025-02-15', minimumDurationDays: 60 }, ['warning requestDate']],
        ['when a 60-day minimum ends', { ...last, requestDate: '2025-03-02', minimumDurationDays: 60 }, []],
        ['one-year minimum, 6 months on', { ...last, requestDate: '2025-07-01', minimumDurationEnd: '2026-01-01' }, []],
        ['one-year minimum, a day short of 6 months', { ...last, requestDate: '2025-06-30', minimumDurationEnd: '2026-01-01' }, ['warning requestDate']],
        ['changed circumstances', { ...last, requestDate: '2025-01-05', exception: true }, []],
    ]);
    const inc = { categories: ['incapacity'], incapacityFrom: '2025-04-01', incapacityTo: '2025-04-04' };
    table(r.L4, [
        ['4 full days, visits on day 0 and day 10', { ...inc, visitDates: ['2025-04-01', '2025-04-11'] }, []],
        ['3 full days', { ...inc, incapacityTo: '2025-04-03', visitDates: ['2025-04-01', '2025-04-11'] }, ['warning incapacityTo']],
        ['first visit on day 8', { ...inc, visitDates: ['2025-04-09', '2025-04-20'] }, ['warning visitDates']],
        ['second visit after 30 days', { ...inc, visitDates: ['2025-04-02', '2025-05-02'] }, ['warning visitDates']],
        ['one visit and a regimen', { ...inc, visitDates: ['2025-04-02'], regimenOfTreatment: true }, []],
        ['chronic, once a year', { categories: ['chronic'], visitsPerYear: 1 }, ['warning visitsPerYear']],
        ['chronic, twice a year', { categories: ['chronic'], visitsPerYear: 2 }, []],
        ['incapacity and chronic both ticked, each checked', { ...inc, categories: ['inpatient', 'incapacity', 'chronic'], incapacityTo: '2025-04-03',
            visitDates: ['2025-04-01', '2025-04-11'], visitsPerYear: 1 }, ['warning incapacityTo', 'warning visitsPerYear']],
        ['no category, facts fit incapacity', { ...inc, categories: [], visitDates: ['2025-04-01', '2025-04-11'] }, ['warning category']],
        ['inpatient only, facts fit incapacity', { ...inc, categories: ['inpatient'], visitDates: ['2025-04-01', '2025-04-11'] }, []],
    ]);
    table(r.L5, [
        ['Title II', { regime: 'title-ii' }, ['warning regime']],
        ['Title II spelled out', { regime: 'Title II' }, ['warning regime']],
        ['Title I', { regime: 'title-i' }, []],
    ]);
});

test.describe('FECA', () => {
    const inj = { injuryDate: '2025-05-01', injuryTime: '08:00' };
    table(r.W1, [
        ['issued after 4 hours exactly', { ...inj, issuedDate: '2025-05-01', issuedTime: '12:00' }, []],
        ['issued after 4 hours 1 minute', { ...inj, issuedDate: '2025-05-01', issuedTime: '12:01' }, ['warning issuedDate']],
        ['next day without times cannot be judged', { injuryDate: '2025-05-01', issuedDate: '2025-05-02' }, []],
        ['two days later without times', { injuryDate: '2025-05-01', issuedDate: '2025-05-03' }, ['warning issuedDate']],
        ['verbal then form within 48 hours', { ...inj, verbalDate: '2025-05-01', verbalTime: '09:00', issuedDate: '2025-05-03', issuedTime: '09:00' }, []],
        ['form 49 hours after verbal', { ...inj, verbalDate: '2025-05-01', verbalTime: '09:00', issuedDate: '2025-05-03', issuedTime: '10:00' }, ['warning issuedDate']],
        ['more than a week after injury', { ...inj, issuedDate: '2025-05-09' }, ['warning issuedDate']],
        ['occupational disease without OWCP permission', { occupationalDisease: true }, ['warning owcpPermission']],
    ]);
    test('CA-16 60-day window', () => assert.equal(r.ca16WindowEnd('2025-01-01'), '2025-03-02'));
    table(r.W2, [
        ['treatment on day 60', { injuryDate: '2025-01-01', treatmentDates: ['2025-01-02', '2025-03-02'] }, []],
        ['treatment on day 61', { injuryDate: '2025-01-01', treatmentDate: '2025-03-03' }, ['error treatmentDate']],
        ['non-emergency surgery', { surgery: true }, ['warning surgery']],
        ['emergency surgery', { surgery: true, emergency: true }, []],
    ]);
    table(r.W3, [
        ['not able, no restrictions', { ableToPerformRegularWork: false, activities: { a: {} } }, ['error activities']],
        ['not able, restricted', { ableToPerformRegularWork: false, hoursPerDay: 8, activities: { a: { hours: 2, limit: 20 } } }, []],
        ['not able, only a temperature range', { ableToPerformRegularWork: false, activities: { a: {}, o: { limit: '60-80' } } }, []],
        ['not able, only a noise limit', { ableToPerformRegularWork: false, activities: { s: { limit: '85' } } }, []],
        ['not able, only the restrictions text', { ableToPerformRegularWork: false, activities: {}, restrictionsText: 'No ladders' }, []],
        ['activity hours equal to the day', { hoursPerDay: 6, activities: { b: { hours: 6 } } }, []],
        ['activity hours over the day', { hoursPerDay: 6, activities: { b: { hours: 7 } } }, ['error activities.b']],
    ]);
    test('pain alone is not a diagnosis', () => {
        const cases = [['Low back pain', true], ['pain', true], ['Cervicalgia', true], ['knee pain, neck pain', true],
            ['Pain in right knee', true], ['Lumbago', true], ['Arthralgia of left shoulder', true], ['Myalgia', true],
            ['Lumbar strain; low back pain', false], ['Contusion of left knee', false], ['Carpal tunnel syndrome', false], ['', false],
            ['Occipital neuralgia', false], ['Fibromyalgia', false], ['Polymyalgia rheumatica', false], ['Meralgia paresthetica', false],
            ['Pain disorder with related psychological factors', false], ['Complex regional pain syndrome', false], ['Metatarsalgia', false]];
        for (const [text, painOnly] of cases) assert.equal(r.diagnosisIsPainOnly(text), painOnly, text);
    });
    const ca20 = { diagnosis: 'Lumbar sprain', icdCodes: ['S33.5XXA'], causation: 'yes', causationExplanation: 'Lifting injury at work' };
    table(r.W4, [
        ['complete report', ca20, []],
        ['pain only', { ...ca20, diagnosis: 'Back pain' }, ['error diagnosis']],
        ['occipital neuralgia is a diagnosis', { ...ca20, diagnosis: 'Occipital neuralgia', icdCodes: ['M54.81'] }, []],
        ['an -algia that may be only pain', { ...ca20, diagnosis: 'Metatarsalgia of right foot' }, ['warning diagnosis']],
        ['U code', { ...ca20, diagnosis: 'COVID-19', icdCodes: ['U07.1'] }, []],
        ['code without its dot', { ...ca20, icdCodes: ['S335XXA'] }, []],
        ['code with a dot and nothing after it', { ...ca20, icdCodes: ['S33.'] }, ['warning icdCodes']],
        ['codes as text', { ...ca20, icdCodes: 'S33.5XXA, M54.50' }, []],
        ['not an ICD-10 code', { ...ca20, icdCodes: ['847.2'] }, ['warning icdCodes']],
        ['causation without reasons', { ...ca20, causationExplanation: ' ' }, ['error causationExplanation']],
        ['partial disability without limitations', { ...ca20, disability: 'partial' }, ['error limitations']],
        ['return before disability', { ...ca20, disabilityFrom: '2025-05-10', returnDate: '2025-05-09' }, ['error returnDate']],
        ['return on the first day', { ...ca20, disabilityFrom: '2025-05-10', returnDate: '2025-05-10' }, []],
    ]);
    table(r.W5, [
        ['MD', { signerCredential: 'MD' }, []],
        ['M.D., MPH', { signerCredential: 'M.D., MPH' }, []],
        ['DO, FACOEM', { signerCredential: 'DO, FACOEM' }, []],
        ['podiatrist', { signerCredential: 'DPM' }, []],
        ['dentist', { signerCredential: 'DMD' }, []],
        ['optometrist', { signerCredential: 'O.D.' }, []],
        ['clinical psychologist', { signerCredential: 'PsyD' }, []],
        ['MD whose examiner occupation says PA', { signerCredential: 'MD', signerOccupation: 'pa' }, []],
        ['NP', { signerCredential: 'NP' }, ['warning signerCredential']],
        ['PA-C', { signerCredential: 'PA-C' }, ['warning signerCredential']],
        ['APRN, FNP-BC', { signerCredential: 'APRN, FNP-BC' }, ['warning signerCredential']],
        ['PA-C, MPAS', { signerCredential: 'PA-C, MPAS' }, ['warning signerCredential']],
        ['MSN, FNP', { signerCredential: 'MSN, FNP' }, ['warning signerCredential']],
        ['DNP/AGACNP', { signerCredential: 'DNP/AGACNP' }, ['warning signerCredential']],
        ['written out', { signerCredential: 'Nurse Practitioner' }, ['warning signerCredential']],
        ['no credential, occupation PA', { signerOccupation: 'pa' }, ['warning signerOccupation']],
        ['unknown credential, occupation APN', { signerCredential: 'PhD', signerOccupation: 'apn' }, ['warning signerCredential']],
        ['no credential, occupation MD', { signerOccupation: 'md' }, []],
        ['PA with physician co-signature', { signerCredential: 'PA', cosignedByPhysician: true }, []],
        ['chiropractor', { signerCredential: 'DC' }, ['warning signerCredential']],
        ['no credential, occupation chiropractor', { signerOccupation: 'chiropractor' }, ['warning signerOccupation']],
    ]);
});

test.describe('ID-1 identifiers', () => {
    test('NPI check digit: of 123456789x only x = 3 passes', () => {
        for (let d = 0; d <= 9; ++d) assert.equal(r.npiIsValid('123456789' + d), d === 3, String(d));
    });
    test('NPI shape', () => {
        assert.equal(r.npiIsValid(1234567893), true);
        assert.equal(r.npiIsValid('1234567839'), false);
        assert.equal(r.npiIsValid('123456789'), false);
        assert.equal(r.npiIsValid('12345678930'), false);
        assert.equal(r.npiIsValid('12345678a3'), false);
        assert.equal(r.npiIsValid(null), false);
    });
    test('SSN format', () => {
        const cases = [['123-45-6789', true], ['123456789', true], ['000-12-3456', false], ['666-12-3456', false],
            ['900-12-3456', false], ['123-00-4567', false], ['123-45-0000', false], ['12-345-6789', false], ['123-45-678', false]];
        for (const [ssn, ok] of cases) assert.equal(r.ssnFormatIsValid(ssn), ok, ssn);
    });
    table(r.ID1, [
        ['valid NPI and SSN', { npi: '1234567893', groupNpi: '1234567893', ssn: '123-45-6789' }, []],
        ['bad group NPI', { npi: '1234567893', groupNpi: '1234567894' }, ['error groupNpi']],
        ['bad SSN', { ssn: '000-00-0000' }, ['error ssn']],
    ]);
});
