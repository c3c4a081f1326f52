// DOT/FMCSA rules D1-D14 at their thresholds.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const rules = require(path.join(__dirname, '../../html/js/rules-dot.js'));

const EXAM = '2025-03-15';

// A complete, certifiable driver; each case changes what it tests.
function base(overrides) {
    const input = {
        examDate: EXAM, dob: '1980-01-02', today: EXAM, intrastateOnly: false,
        determination: 'meets2y', period: '', periodOtherMonths: '', followUpDate: '', expiryDate: '2027-03-15',
        stateDetermination: '', stateExpiryDate: '', withCertificate: true,
        bp: { sys: '120', dia: '80', sys2: '', dia2: '', treated: false },
        vision: { rightUnc: '20', leftUnc: '20', bothUnc: '20', rightCor: '', leftCor: '', bothCor: '',
                  fieldRight: '85', fieldLeft: '85', color: 'yes', lenses: false, altStandard: false, form5871Date: '' },
        hearing: { aid: 'neither', whisperRight: '6', whisperLeft: '6', r500: '', r1000: '', r2000: '',
                   l500: '', l1000: '', l2000: '', hearingAidBox: false },
        insulin: { treated: false, form5870Date: '' },
        certificate: {
            basis: 'federal', driverName: 'TEST', driverLicense: 'X1', driverLicenseState: 'TX', driverAddress: '1 Example St',
            driverDob: '1980-01-02', driverCdl: 'yes', driverSigned: true, examinerName: 'EXAMINER, Test',
            examinerPhone: '555-0100', examinerOccupation: 'md', examinerLicense: 'L1', examinerLicenseState: 'TX',
            examinerNrNumber: '1234567890', examinerSigned: true, certificateDate: EXAM
        },
        nrNumber: '1234567890', nrDate: '2020-01-01', reported: true, box39164: false
    };
    for (const key of Object.keys(overrides || {})) {
        const value = overrides[key];
        input[key] = value && typeof value === 'object' && !Array.isArray(value) ? Object.assign({}, input[key], value) : value;
    }
    return input;
}

function rulesOf(findings, severity) {
    return findings.filter((f) => !severity || f.severity === severity).map((f) => f.rule);
}

test('a complete, passing examination has no findings', () => {
    assert.deepEqual(rules.validate(base()), []);
});

test('every finding cites its regulation and names a field', () => {
    const findings = rules.validate(base({
        determination: 'periodic', period: '', expiryDate: '2028-01-01', nrNumber: '12345', box39164: true,
        bp: { sys: '185', dia: '95' }, vision: { rightUnc: '60', color: '' }, hearing: { whisperRight: '', whisperLeft: '' },
        insulin: { treated: true }, reported: false, dob: '2006-01-01', certificate: { examinerPhone: '' }
    }));
    assert.ok(findings.length > 8);
    for (const f of findings) {
        assert.match(f.cite, /CFR|FMCSA/, f.rule);
        assert.ok(f.field, f.rule + ' ' + f.message);
        assert.ok(f.severity === 'error' || f.severity === 'warning');
    }
});

test('blood-pressure stage at the thresholds', () => {
    const cases = [
        ['139', '89', false, 'normal', 24], ['140', '89', false, 'stage1', 12], ['139', '90', false, 'stage1', 12],
        ['140', '90', false, 'stage1', 12], ['159', '99', false, 'stage1', 12], ['160', '99', false, 'stage2', 3],
        ['159', '100', false, 'stage2', 3], ['160', '100', false, 'stage2', 3], ['179', '109', false, 'stage2', 3],
        ['180', '109', false, 'stage3', 0], ['179', '110', false, 'stage3', 0], ['180', '110', false, 'stage3', 0],
        ['139', '89', true, 'treated', 12], ['', '80', false, 'unknown', NaN]
    ];
    for (const [sys, dia, treated, stage, months] of cases) {
        const result = rules.bpStage(sys, dia, treated);
        assert.equal(result.stage, stage, `${sys}/${dia}`);
        assert.ok(Object.is(result.maxMonths, months), `${sys}/${dia} months`);
    }
});

test('D3: above 139/89 asks for a second reading', () => {
    const cases = [['139', '89', false], ['140', '89', true], ['139', '90', true], ['160', '100', true]];
    for (const [sys, dia, warned] of cases) {
        const findings = rules.checkBloodPressure(base({ bp: { sys, dia } }));
        assert.equal(rulesOf(findings).includes('D3'), warned, `${sys}/${dia}`);
    }
    const second = rules.checkBloodPressure(base({ bp: { sys: '150', dia: '85', sys2: '135', dia2: '85' } }));
    assert.deepEqual(rulesOf(second), [], 'the second reading decides');
});

test('D4: a missing blood pressure blocks only a certificate', () => {
    const cases = [
        [{ bp: { sys: '' } }, 'error', 'bp.sys'],
        [{ bp: { dia: ' ' } }, 'error', 'bp.dia'],
        [{ bp: { sys: '', dia: '' }, determination: 'notMeet' }, 'warning', 'bp.sys'],
        [{ bp: { sys: '' }, determination: 'pending' }, 'warning', 'bp.sys']
    ];
    for (const [overrides, severity, field] of cases) {
        const findings = rules.checkBloodPressure(base(overrides));
        assert.deepEqual(findings.map((f) => [f.rule, f.severity, f.field]), [['D4', severity, field]], JSON.stringify(overrides));
    }
});

test('D4: the certification period the pressure allows', () => {
    const cases = [
        // sys, dia, determination, period, warned
        ['139', '89', 'meets2y', '', false],
        ['140', '90', 'meets2y', '', true],
        ['140', '90', 'periodic', '1y', false],
        ['160', '100', 'periodic', '1y', true],
        ['160', '100', 'periodic', '3m', false],
        ['180', '110', 'periodic', '3m', true],
        ['180', '110', 'notMeet', '', false]
    ];
    for (const [sys, dia, determination, period, warned] of cases) {
        const input = base({ determination, period, bp: { sys, dia, sys2: sys, dia2: dia } });
        input.expiryDate = rules.computeExpiry(input);
        const findings = rules.checkBloodPressure(input).filter((f) => f.rule === 'D4');
        assert.equal(findings.length > 0, warned, `${sys}/${dia} ${determination} ${period}`);
        findings.forEach((f) => assert.equal(f.severity, 'warning'));
    }
});

test('D1, D2: expiration date from the exam date and the determination', () => {
    assert.equal(rules.computeExpiry(base()), '2027-03-15');
    assert.equal(rules.computeExpiry(base({ determination: 'periodic', period: '3m' })), '2025-06-15');
    assert.equal(rules.computeExpiry(base({ determination: 'periodic', period: 'other', periodOtherMonths: '18' })), '2026-09-15');
    assert.equal(rules.computeExpiry(base({ examDate: '2024-02-29' })), '2026-02-28');
    assert.equal(rules.computeExpiry(base({ determination: 'pending' })), '');
    const cases = [
        [{ expiryDate: '2027-03-15' }, []],
        [{ expiryDate: '2027-03-16' }, ['D1']],
        [{ expiryDate: '2025-03-15' }, ['D1']],
        [{ expiryDate: '' }, ['D1']],
        [{ determination: 'periodic', period: '', expiryDate: '2026-03-15' }, ['D2']],
        [{ determination: 'periodic', period: '1y', expiryDate: '2026-03-15' }, []],
        [{ determination: 'periodic', period: '1y', expiryDate: '2026-03-14' }, ['D2 expiryDate']],
        [{ determination: 'notMeet', expiryDate: '' }, []],
        // an "other" period is a whole number of months, at most 24
        [{ determination: 'periodic', period: 'other', periodOtherMonths: '24', expiryDate: '2027-03-15' }, []],
        [{ determination: 'periodic', period: 'other', periodOtherMonths: '25', expiryDate: '2027-03-15' }, ['D2 periodOther']],
        [{ determination: 'periodic', period: 'other', periodOtherMonths: '25', expiryDate: '2027-04-15' }, ['D2 periodOther', 'D1 expiryDate']],
        [{ determination: 'periodic', period: 'other', periodOtherMonths: '1.5', expiryDate: '2025-04-15' }, ['D2 periodOther']],
        [{ determination: 'periodic', period: 'other', periodOtherMonths: '', expiryDate: '2025-04-15' }, ['D2 periodOther']],
        // a certificate on the State determination: its expiration date, and the same date on the certificate
        [{ determination: '', stateDetermination: 'meets2y', stateExpiryDate: '2027-03-15', certificate: { basis: 'state' } }, []],
        [{ determination: '', stateDetermination: 'periodic', statePeriod: '6m', stateExpiryDate: '2025-09-15', expiryDate: '2025-09-15', certificate: { basis: 'state' } }, []],
        [{ determination: '', stateDetermination: 'meets2y', stateExpiryDate: '2027-03-16', expiryDate: '2027-03-16', certificate: { basis: 'state' } }, ['D1 stateExpiryDate']],
        [{ determination: '', stateDetermination: 'periodic', statePeriod: '6m', stateExpiryDate: '2025-03-15', expiryDate: '2025-03-15', certificate: { basis: 'state' } }, ['D1 stateExpiryDate']],
        [{ determination: '', stateDetermination: 'meets2y', stateExpiryDate: '', certificate: { basis: 'state' } }, ['D1 stateExpiryDate']],
        [{ determination: '', stateDetermination: 'meets2y', stateExpiryDate: '2027-03-15', expiryDate: '', certificate: { basis: 'state' } }, ['D1 expiryDate']],
        [{ determination: '', stateDetermination: 'meets2y', stateExpiryDate: '2027-03-15', certificate: { basis: 'federal' } }, []],
        // a State periodic determination needs its own period, and expires at its end
        [{ determination: '', stateDetermination: 'periodic', statePeriod: '', stateExpiryDate: '2025-09-15', expiryDate: '2025-09-15', certificate: { basis: 'state' } }, ['D2 statePeriod']],
        [{ determination: '', stateDetermination: 'periodic', statePeriod: '6m', stateExpiryDate: '2025-09-16', expiryDate: '2025-09-16', certificate: { basis: 'state' } }, ['D2 stateExpiryDate']],
        [{ determination: '', stateDetermination: 'periodic', statePeriod: 'other', statePeriodOtherMonths: '18', stateExpiryDate: '2026-09-15', expiryDate: '2026-09-15', certificate: { basis: 'state' } }, []],
        [{ determination: '', stateDetermination: 'periodic', statePeriod: 'other', statePeriodOtherMonths: '25', stateExpiryDate: '2027-03-15', expiryDate: '2027-03-15', certificate: { basis: 'state' } }, ['D2 statePeriodOther']],
        [{ determination: '', stateDetermination: 'periodic', statePeriod: 'other', statePeriodOtherMonths: '', stateExpiryDate: '2025-09-15', expiryDate: '2025-09-15', certificate: { basis: 'state' } }, ['D2 statePeriodOther']],
        // beside a qualifying Section 3 the State section still counts on a State certificate, and only there
        [{ determination: 'meets2y', stateDetermination: 'periodic', statePeriod: '', stateExpiryDate: '2025-09-15', certificate: { basis: 'state' } }, ['D2 statePeriod']],
        [{ determination: 'meets2y', stateDetermination: 'periodic', statePeriod: '', stateExpiryDate: '2025-09-15', certificate: { basis: 'federal' } }, []]
    ];
    for (const [overrides, expected] of cases) {
        const findings = rules.checkExpiry(base(overrides));
        assert.deepEqual(findings.map((f) => f.rule + (expected.some((e) => e.includes(' ')) ? ' ' + f.field : '')), expected, JSON.stringify(overrides));
        findings.forEach((f) => assert.equal(f.severity, 'error'));
    }
    assert.equal(rules.computeExpiry(base({ determination: 'periodic', period: 'other', periodOtherMonths: '25' })), '');
    const state = { determination: '', stateDetermination: 'periodic', statePeriod: '3m', certificate: { basis: 'state' } };
    assert.equal(rules.computeExpiry(base(state)), '2025-06-15');
    // Section 4 gives its date before the certificate is marked as issued with State variances.
    assert.equal(rules.computeExpiry(base(Object.assign({}, state, { certificate: { basis: '' } })), 'state'), '2025-06-15');
    assert.equal(rules.computeExpiry(base(state), 'federal'), '');
});

test('D5: acuity, field and colour at the thresholds', () => {
    const cases = [
        [{ rightUnc: '20/40' }, []],
        [{ rightUnc: '20/50' }, ['D5']],
        [{ rightUnc: '20/40-1' }, []],
        [{ rightUnc: '20/50+2' }, ['D5']],
        [{ rightUnc: 'NLP' }, ['D5']],
        [{ rightUnc: '50', rightCor: '40', lenses: true }, []],
        [{ rightUnc: '50', rightCor: '20/40', lenses: false }, ['D5']],
        [{ rightUnc: '50', rightCor: '50', lenses: true }, ['D5']],
        [{ bothUnc: '20/50' }, ['D5']],
        [{ fieldRight: '70' }, []],
        [{ fieldLeft: '69' }, ['D5']],
        [{ color: 'no' }, ['D5']],
        [{ color: '' }, ['D5']],
        [{ leftUnc: '', leftCor: '' }, ['D5']]
    ];
    for (const [vision, expected] of cases) {
        const findings = rules.checkVision(base({ vision }));
        assert.deepEqual(rulesOf(findings, 'error'), expected, JSON.stringify(vision));
    }
    // A driver who does not meet the standard and is not certified gets warnings only.
    const notCertified = rules.checkVision(base({ determination: 'notMeet', vision: { rightUnc: '20/200' } }));
    assert.deepEqual(rulesOf(notCertified, 'error'), []);
    assert.deepEqual(rulesOf(notCertified, 'warning'), ['D5']);
});

test('D6: the alternative vision standard', () => {
    const mono = { rightUnc: '20/200', fieldRight: '0', altStandard: true };
    const cases = [
        [{ vision: Object.assign({ form5871Date: '2025-01-29' }, mono), determination: 'periodic', period: '1y' }, []],
        [{ vision: Object.assign({ form5871Date: '2025-01-28' }, mono), determination: 'periodic', period: '1y' }, ['D6']],
        [{ vision: Object.assign({ form5871Date: '2025-03-16' }, mono), determination: 'periodic', period: '1y' }, ['D6']],
        [{ vision: Object.assign({ form5871Date: '2025-03-01' }, mono) }, ['D6']],
        [{ vision: Object.assign({ form5871Date: '2025-03-01', color: 'no' }, mono), determination: 'periodic', period: '1y' }, ['D6']],
        [{ vision: Object.assign({ form5871Date: '2025-03-01', leftUnc: '20/60' }, mono), determination: 'periodic', period: '1y' }, ['D6']]
    ];
    for (const [overrides, expected] of cases) {
        const input = base(overrides);
        assert.deepEqual(rulesOf(rules.checkVision(input), 'error'), expected, JSON.stringify(overrides));
    }
});

test('D5, D6: under the alternative standard only the better eye must see 20/40 and 70 degrees', () => {
    const alt = (vision) => Object.assign({ altStandard: true, form5871Date: '2025-03-01' }, vision);
    const blindRight = { rightUnc: 'NLP', rightCor: '', fieldRight: '' };
    const cases = [
        // vision, determination, errors, warnings
        [alt(blindRight), 'periodic', [], []],
        [alt({ rightUnc: 'blind', rightCor: '', fieldRight: '' }), 'periodic', [], []],
        [alt({ leftUnc: 'NLP', leftCor: 'NLP', fieldLeft: '0' }), 'periodic', [], []],
        [alt(Object.assign({}, blindRight, { fieldLeft: '70' })), 'periodic', [], []],
        [alt(Object.assign({}, blindRight, { fieldLeft: '69' })), 'periodic', ['D6 vision.rightUnc'], []],
        [alt(Object.assign({}, blindRight, { leftUnc: '20/50' })), 'periodic', ['D6 vision.rightUnc'], []],
        [alt(Object.assign({}, blindRight, { leftUnc: '20/50', leftCor: '20/40', bothUnc: '20/50', bothCor: '20/40' })), 'periodic', ['D5 vision.lenses'], []],
        [alt(Object.assign({}, blindRight, { leftUnc: '20/50', leftCor: '20/40', lenses: true })), 'periodic', [], []],
        [alt(Object.assign({}, blindRight, { bothUnc: '' })), 'periodic', ['D5 vision.bothUnc'], []],
        // no eye qualifies: the empty entries are asked for
        [alt({ rightUnc: '', rightCor: '', fieldRight: '', leftUnc: '20/60' }), 'periodic',
            ['D5 vision.rightUnc', 'D5 vision.fieldRight', 'D6 vision.rightUnc'], []],
        [alt(Object.assign({}, blindRight, { leftUnc: '20/60' })), 'notMeet', [], ['D6 vision.rightUnc']],
        // without the alternative standard a blind eye disqualifies
        [blindRight, 'periodic', ['D5 vision.rightUnc', 'D5 vision.fieldRight'], []]
    ];
    for (const [vision, determination, errors, warnings] of cases) {
        const findings = rules.checkVision(base({ vision, determination, period: '1y', expiryDate: '2026-03-15' }));
        const of = (severity) => findings.filter((f) => f.severity === severity).map((f) => f.rule + ' ' + f.field);
        assert.deepEqual([of('error'), of('warning')], [errors, warnings], JSON.stringify([vision, determination]));
    }
});

test('D7: forced whisper 5 feet or better-ear average 40 dB', () => {
    const audio = (r, l) => ({ whisperRight: '', whisperLeft: '', r500: r[0], r1000: r[1], r2000: r[2], l500: l[0], l1000: l[1], l2000: l[2] });
    const cases = [
        [{ whisperRight: '5', whisperLeft: '2' }, []],
        [{ whisperRight: '4', whisperLeft: '4.5' }, ['D7']],
        [audio(['40', '40', '40'], ['60', '60', '60']), []],
        [audio(['40', '40', '41'], ['60', '60', '60']), ['D7']],
        [audio(['45', '40', '35'], ['', '', '']), []],
        [Object.assign(audio(['50', '50', '50'], ['50', '50', '50']), { whisperRight: '5' }), []],
        [{ whisperRight: '', whisperLeft: '' }, ['D7']],
        [{ aid: 'right', hearingAidBox: false }, ['D7']],
        [{ aid: 'both', hearingAidBox: true }, []]
    ];
    for (const [hearing, expected] of cases) {
        const findings = rules.checkHearing(base({ hearing }));
        assert.deepEqual(rulesOf(findings, 'error'), expected, JSON.stringify(hearing));
    }
    const avg = rules.hearingAverages({ r500: '10', r1000: '20', r2000: '30', l500: '40', l1000: '40', l2000: '41' });
    assert.equal(avg.right, 20);
    assert.equal(avg.better, 20);
});

test('D8, D9: insulin assessment and pending follow-up within 45 days', () => {
    const insulin = [
        [{ insulin: { treated: true, form5870Date: '2025-01-29' }, determination: 'periodic', period: '1y', expiryDate: '2026-03-15' }, []],
        [{ insulin: { treated: true, form5870Date: '2025-01-28' }, determination: 'periodic', period: '1y', expiryDate: '2026-03-15' }, ['D8']],
        [{ insulin: { treated: true, form5870Date: '' }, determination: 'periodic', period: '1y', expiryDate: '2026-03-15' }, ['D8']],
        [{ insulin: { treated: true, form5870Date: '2025-03-01' } }, ['D8']],
        [{ insulin: { treated: true, form5870Date: '2025-03-01' }, determination: '', certificate: { basis: 'state' },
            stateDetermination: 'periodic', stateExpiryDate: '2026-03-15' }, []],
        [{ insulin: { treated: true, form5870Date: '2025-03-01' }, determination: '', certificate: { basis: 'state' },
            stateDetermination: 'periodic', stateExpiryDate: '2026-03-16' }, ['D8']]
    ];
    for (const [overrides, expected] of insulin)
        assert.deepEqual(rulesOf(rules.checkInsulin(base(overrides))), expected, JSON.stringify(overrides));
    const pending = [
        [{ determination: 'pending', followUpDate: '2025-04-29' }, []],
        [{ determination: 'pending', followUpDate: '2025-04-30' }, ['D9 followUpDate']],
        [{ determination: 'pending', followUpDate: '' }, ['D9 followUpDate']],
        [{ determination: 'pending', followUpDate: '2025-03-14' }, ['D9 followUpDate']],
        // Section 4 pending on a State certificate: day 45 is the last
        [{ determination: '', stateDetermination: 'pending', stateFollowUpDate: '2025-04-29', certificate: { basis: 'state' } }, []],
        [{ determination: '', stateDetermination: 'pending', stateFollowUpDate: '2025-04-30', certificate: { basis: 'state' } }, ['D9 stateFollowUpDate']],
        [{ determination: '', stateDetermination: 'pending', stateFollowUpDate: '', certificate: { basis: 'state' } }, ['D9 stateFollowUpDate']],
        [{ determination: 'pending', followUpDate: '2025-04-30', stateDetermination: 'pending', stateFollowUpDate: '2025-04-30',
            certificate: { basis: 'state' } }, ['D9 followUpDate', 'D9 stateFollowUpDate']],
        [{ determination: '', stateDetermination: 'pending', stateFollowUpDate: '', certificate: { basis: 'federal' } }, []]
    ];
    for (const [overrides, expected] of pending) {
        const findings = rules.checkPending(base(overrides));
        assert.deepEqual(findings.map((f) => f.rule + ' ' + f.field), expected, JSON.stringify(overrides));
        findings.forEach((f) => assert.equal(f.severity, 'error'));
    }
});

test('D10: the certificate needs every field', () => {
    for (const [key] of rules.CERTIFICATE_FIELDS) {
        const certificate = {};
        certificate[key] = key === 'driverSigned' || key === 'examinerSigned' ? false : ' ';
        const findings = rules.checkCertificate(base({ certificate }));
        assert.deepEqual(findings.map((f) => f.field), ['certificate.' + key]);
    }
    const state = { determination: '', stateDetermination: 'meets2y', certificate: { basis: 'state', examinerPhone: '' } };
    assert.deepEqual(rules.checkCertificate(base(state)).map((f) => f.field), ['certificate.examinerPhone']);
});

test('D10: no certificate without a determination that qualifies the driver', () => {
    const cases = [
        // overrides, the blocking finding (rule and field), words of its message
        [{ determination: 'meets2y' }, null],
        [{ determination: 'periodic', period: '6m' }, null],
        [{ determination: 'notMeet' }, 'determination', /Section 3 .* does not meet/],
        [{ determination: 'pending' }, 'determination', /pending/],
        [{ determination: 'incomplete' }, 'determination', /incomplete/],
        [{ determination: '' }, 'determination', /Section 3 .* has no determination/],
        [{ determination: 'notMeet', withCertificate: false }, null],
        // Section 4 qualifies only a certificate issued with State variances
        [{ determination: '', stateDetermination: 'meets2y', certificate: { basis: 'state' } }, null],
        [{ determination: 'notMeet', stateDetermination: 'periodic', certificate: { basis: 'state' } }, null],
        [{ determination: 'meets2y', stateDetermination: '', certificate: { basis: 'state' } }, null],
        [{ determination: '', stateDetermination: 'meets2y', certificate: { basis: 'federal' } }, 'certificate.basis', /State variances/],
        [{ determination: '', stateDetermination: 'meets2y', certificate: { basis: '' } }, 'certificate.basis', /State variances/],
        [{ determination: '', stateDetermination: 'notMeet', certificate: { basis: 'state' } }, 'stateDetermination', /Section 4 .* does not meet/],
        [{ determination: 'pending', stateDetermination: 'pending', certificate: { basis: 'state' } }, 'stateDetermination', /pending/]
    ];
    for (const [overrides, field, words] of cases) {
        const errors = rules.checkCertificate(base(overrides)).filter((f) => f.severity === 'error');
        if (!field) {
            assert.deepEqual(errors, [], JSON.stringify(overrides));
            continue;
        }
        assert.deepEqual(errors.map((f) => f.rule + ' ' + f.field), ['D10 ' + field], JSON.stringify(overrides));
        assert.match(errors[0].message, words);
        assert.match(errors[0].cite, /391\.43/);
    }
});

test('D10: an amended report gives its reason and date and is signed', () => {
    const done = { amended: true, reason: 'Corrected the hearing result', date: '2025-03-20', signed: true };
    const cases = [
        [{}, []],
        [done, []],
        [Object.assign({}, done, { signed: false }), ['amendedSigned']],
        [Object.assign({}, done, { reason: ' ' }), ['amendedReason']],
        [Object.assign({}, done, { date: '2025-03-14' }), ['amendedDate']],
        [{ amended: true }, ['amendedReason', 'amendedDate', 'amendedSigned']],
        [{ amended: false, signed: true }, ['amended']]
    ];
    for (const [amendment, fields] of cases) {
        const findings = rules.validate(base({ amendment }));
        assert.deepEqual(findings.map((f) => f.rule + ' ' + f.severity + ' ' + f.field), fields.map((f) => 'D10 warning ' + f), JSON.stringify(amendment));
        findings.forEach((f) => assert.match(f.cite, /391\.43/));
    }
});

test('a driver who is not certified still gets the warnings of the examination', () => {
    for (const determination of ['notMeet', 'pending', 'incomplete', '']) {
        const findings = rules.validate(base({
            determination, followUpDate: '2025-04-01', reported: false, expiryDate: '',
            bp: { sys: '', dia: '' }, vision: { rightUnc: '20/200' }, hearing: { whisperRight: '2', whisperLeft: '2' }
        }));
        assert.deepEqual(findings.filter((f) => f.severity === 'error').map((f) => f.rule), ['D10'], determination);
        assert.deepEqual(rulesOf(findings, 'warning'), ['D4', 'D5', 'D7'].concat(determination ? ['D13'] : []), determination);
    }
});

test('D11: National Registry number of 10 digits, credential within 10 years', () => {
    const cases = [
        [{ nrNumber: '1234567890' }, []],
        [{ nrNumber: '123456789' }, ['D11']],
        [{ nrNumber: '12345678901' }, ['D11']],
        [{ nrNumber: '12345-7890' }, ['D11']],
        [{ nrDate: '2015-03-16' }, []],
        [{ nrDate: '2015-03-15' }, ['D11']],
        [{ nrDate: '2025-03-16' }, ['D11']],
        [{ nrDate: '' }, ['D11']]
    ];
    for (const [overrides, expected] of cases)
        assert.deepEqual(rulesOf(rules.checkRegistry(base(overrides))), expected, JSON.stringify(overrides));
});

test('D12-D14: warnings for age, reporting and the legacy box', () => {
    assert.deepEqual(rulesOf(rules.checkAge(base({ dob: '2004-03-16' }))), ['D12']);
    assert.deepEqual(rulesOf(rules.checkAge(base({ dob: '2004-03-15' }))), []);
    assert.deepEqual(rulesOf(rules.checkAge(base({ dob: '2004-03-16', intrastateOnly: true }))), []);
    const due = rules.checkReporting(base({ reported: false, today: '2025-03-16' }));
    assert.equal(due.length, 1);
    assert.match(due[0].message, /^The result is due .* 03\/16\/2025/);
    assert.match(rules.checkReporting(base({ reported: false, today: '2025-03-17' }))[0].message, /^Overdue/);
    assert.deepEqual(rules.checkReporting(base({ reported: true })), []);
    assert.deepEqual(rulesOf(rules.checkLegacy(base({ box39164: true })), 'warning'), ['D14']);
});

test('acuity accepts 20/x and x with an optional letters-missed suffix, nothing else', () => {
    const cases = [['20/40', 40], ['40', 40], [' 20 / 200 ', 200], ['20/40-1', 40], ['20/40+2', 40], ['40 -2', 40],
        ['20/', NaN], ['20/40-', NaN], ['20/40-12', NaN], ['20/40-1-1', NaN], ['abc', NaN], ['', NaN], [null, NaN]];
    for (const [text, expected] of cases)
        assert.ok(Object.is(rules.acuity(text), expected), String(text));
});
