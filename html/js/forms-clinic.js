// The clinic's own forms. The visit face sheet opens the packet and is where the
// shared data is entered that no government form shows in full: the clinic, the
// examiner's credentials, the employer and the job.
(function (root) {
    'use strict';

    const forms = root.Kestrova.forms;

    function field(type, path, label, width, extra) {
        return Object.assign({ type: type, path: path, label: label, width: width || 3 }, extra || {});
    }
    const text = field.bind(null, 'text');
    const date = field.bind(null, 'date');
    const box = field.bind(null, 'checkbox');
    function select(path, label, options, width) {
        return field('select', path, label, width, {
            options: options.map(function (o) { return { value: o[0], label: o[1] }; })
        });
    }
    const tel = field.bind(null, 'tel');
    function pairs(options) {
        return options.map(function (o) { return [o.value, o.label]; });
    }
    const STATES = pairs(forms.builders.STATES);
    const STATES_PROVINCES = pairs(forms.builders.STATES_PROVINCES);

    function address(group, label) {
        return { row: [text(group + '.street', label || 'Street address', 5), text(group + '.city', 'City', 3),
                       group === 'patient' ? select('patient.state', 'State/Province', STATES_PROVINCES, 2)
                           : select(group + '.state', 'State', STATES, 2),
                       text(group + '.zip', group === 'patient' ? 'ZIP/postal code' : 'ZIP code', 2)] };
    }

    forms.register({
        id: 'visit-face-sheet',
        family: 'clinic',
        code: 'Face Sheet',
        title: 'Occupational Health Visit',
        shortTitle: 'Visit face sheet',
        agency: 'Clinic record',
        omb: 'Not a government form',
        revision: 'Kestrova clinic form, version 1',
        includedByDefault: true,
        sections: [
            {
                id: 'visit', title: 'Visit',
                blocks: [
                    { row: [date('visit.examDate', 'Visit / examination date', 3),
                            select('visit.reason', 'Reason for visit', [['', '\u2014'], ['dot', 'DOT/FMCSA driver examination'],
                                ['preplacement', 'Pre-placement examination'], ['periodic', 'Periodic / surveillance examination'],
                                ['injury', 'Work injury or illness'], ['recheck', 'Injury recheck'], ['respirator', 'Respirator clearance'],
                                ['drug', 'Drug and alcohol testing'], ['fmla', 'FMLA certification'], ['other', 'Other']], 5),
                            text('visit.idVerifiedBy', 'Patient ID verified by (type of photo ID)', 4)] }
                ]
            },
            {
                id: 'patient', title: 'Patient',
                blocks: [
                    { row: [text('patient.lastName', 'Last name', 4), text('patient.firstName', 'First name', 3),
                            text('patient.middleInitial', 'Middle initial', 2, { maxLength: 3 }), date('patient.dob', 'Date of birth', 3)] },
                    address('patient'),
                    { row: [tel('patient.phone', 'Phone', 3), field('email', 'patient.email', 'E-mail', 4),
                            select('patient.sex', 'Sex', [['', '\u2014'], ['f', 'Female'], ['m', 'Male'], ['x', 'Not specified']], 2),
                            text('patient.employeeId', 'Employee ID', 3)] },
                    { row: [text('patient.licenseNumber', 'Driver\u2019s license number', 4),
                            select('patient.licenseState', 'Issuing state/province', STATES_PROVINCES, 2),
                            text('patient.ssn', 'Social Security number (FECA claims only)', 4, { maxLength: 11 })] }
                ]
            },
            {
                id: 'employer', title: 'Employer and job',
                note: 'Saved with the clinic defaults (Save Defaults), so a regular employer is filled in on every new record.',
                screenNote: true,
                blocks: [
                    { row: [text('employer.name', 'Employer', 6), tel('employer.phone', 'Phone', 3),
                            text('employer.federalAgency', 'Federal agency (FECA)', 3)] },
                    address('employer'),
                    { row: [text('employer.supervisor', 'Supervisor', 4), text('employer.der', 'Designated employer representative (DER)', 4),
                            text('employer.hrContact', 'HR / FMLA contact', 4)] },
                    { row: [text('employer.compContact', 'Workers\u2019 compensation contact', 4), text('employer.owcpOffice', 'OWCP district office', 4),
                            select('employer.fmlaRegime', 'FMLA regime', [['', '\u2014'], ['dol', 'DOL (private, state, local)'],
                                ['title2', 'OPM Title II (federal)']], 4)] },
                    { row: [text('employer.jobTitle', 'Job title', 4), text('employer.schedule', 'Work schedule', 4),
                            text('employer.noiseTwa', 'Noise exposure (8-hour TWA, dBA)', 2), box('employer.dotCovered', 'DOT-covered position', 2)] },
                    { row: [field('textarea', 'employer.essentialFunctions', 'Essential job functions', 8),
                            field('textarea', 'employer.respirator', 'Respirator type and use', 4)] }
                ]
            },
            {
                id: 'clinic', title: 'Clinic',
                note: 'Saved with the clinic defaults.',
                screenNote: true,
                blocks: [
                    { row: [text('clinic.name', 'Clinic legal name', 6), tel('clinic.phone', 'Phone', 3), tel('clinic.fax', 'Fax', 3)] },
                    address('clinic'),
                    { row: [field('email', 'clinic.email', 'E-mail', 4), text('clinic.ein', 'EIN', 2),
                            text('clinic.npi', 'Group NPI', 3, { inputmode: 'numeric', maxLength: 10 }),
                            select('clinic.timeZone', 'Time zone', [['', '\u2014'], ['America/New_York', 'Eastern'],
                                ['America/Chicago', 'Central'], ['America/Denver', 'Mountain'], ['America/Phoenix', 'Arizona'],
                                ['America/Los_Angeles', 'Pacific'], ['America/Anchorage', 'Alaska'], ['Pacific/Honolulu', 'Hawaii']], 3)] },
                    { row: [text('clinic.facilityText', 'Treatment facility (as printed on OWCP forms)', 12)] }
                ]
            },
            {
                id: 'provider', title: 'Examiner / provider',
                note: 'Saved with the clinic defaults.',
                screenNote: true,
                blocks: [
                    { row: [text('provider.name', 'Name', 5), text('provider.credential', 'Credential (MD, DO, PA, NP ...)', 3),
                            text('provider.specialty', 'Specialty', 4)] },
                    { row: [select('provider.occupation', 'FMCSA occupation', [['', '\u2014'], ['md', 'Physician (MD)'], ['do', 'Physician (DO)'],
                                ['pa', 'Physician Assistant'], ['chiropractor', 'Chiropractor'], ['apn', 'Advanced Practice Nurse'],
                                ['other', 'Other Practitioner']], 4),
                            text('provider.occupationOther', 'Other practitioner (specify)', 4), tel('provider.phone', 'Phone', 4)] },
                    { row: [text('provider.licenseNumber', 'License number', 4), select('provider.licenseState', 'License state', STATES, 2),
                            date('provider.licenseExpiry', 'License expires', 3), text('provider.npi', 'NPI', 3, { inputmode: 'numeric', maxLength: 10 })] },
                    { row: [text('provider.nrNumber', 'National Registry number (10 digits)', 4, { inputmode: 'numeric', maxLength: 10 }),
                            date('provider.nrDate', 'National Registry certification date', 4),
                            box('provider.plhcp', 'PLHCP for respirator evaluations', 2), box('provider.fecaPhysician', 'FECA physician', 2)] },
                    address('provider', 'Practice address')
                ]
            },
            {
                id: 'retention', title: 'Record retention (not printed)', screenOnly: true,
                note: 'Tick the review box before this record is deleted or handed over: employee medical records are kept for the duration of employment plus 30 years.',
                blocks: [
                    { row: [box('visit-face-sheet.disposalReview', 'Reviewing this record for disposal', 4),
                            date('visit-face-sheet.employmentEnd', 'Employment ended on (blank: still employed)', 4),
                            box('visit-face-sheet.underOneYear', 'Employed less than one year', 2),
                            box('visit-face-sheet.recordsGiven', 'Records given to the employee', 2)] }
                ]
            }
        ]
    });

    const b = forms.builders;
    const K = root.Kestrova;
    const WS = 'work-status.';
    const PP = 'pre-placement.';
    const DA = 'drug-alcohol.';

    function signatureRow(prefix) {
        return { row: [text('provider.name', 'Provider', 5), text('provider.credential', 'Credential', 2),
                       box(prefix + 'signed', 'Signed', 2), date(prefix + 'signedDate', 'Date', 3)] };
    }

    forms.register({
        id: 'work-status',
        family: 'clinic',
        code: 'Work Status',
        title: 'Return-to-Work Note',
        shortTitle: 'Work status note',
        agency: 'Employer copy',
        omb: 'Not a government form',
        revision: 'Kestrova clinic form, version 1',
        letterhead: true,
        includedByDefault: false,
        sections: [
            {
                id: 'patient', title: 'Patient and employer',
                blocks: [
                    { row: [text('patient.lastName', 'Patient: last name', 3), text('patient.firstName', 'First name', 3),
                            date('patient.dob', 'Date of birth', 3), date('visit.examDate', 'Visit date', 3)] },
                    { row: [text('employer.name', 'Employer', 5), text('employer.supervisor', 'Supervisor', 4), text('employer.jobTitle', 'Job title', 3)] }
                ]
            },
            {
                id: 'case', title: 'Case',
                blocks: [
                    { row: [b.radio('case.workRelated', 'Work related', b.YES_NO, 3), date('case.injuryDate', 'Date of injury', 3),
                            text('case.oshaCaseNo', 'OSHA case number', 3), text('case.owcpFileNo', 'OWCP file number', 3)] }
                ]
            },
            {
                id: 'status', title: 'Work status',
                blocks: [
                    { row: [b.radio(WS + 'status', 'Status', b.opts([['full', 'Full duty, no restrictions'], ['modified', 'Modified duty with the restrictions below'],
                        ['off', 'Off work']]), 6, { vertical: true }),
                            date(WS + 'from', 'From', 3), date(WS + 'to', 'Through', 3)] },
                    { row: [date('case.returnDate', 'Expected return to full duty', 4),
                            b.radio(WS + 'safetySensitive', 'May perform DOT safety-sensitive duties', b.YES_NO, 4),
                            date('visit.nextAppointment', 'Next appointment', 4)] }
                ]
            },
            {
                id: 'restrictions', title: 'Restrictions',
                note: 'Hours per day the patient may do each activity; a blank line means no restriction.',
                blocks: [
                    b.activityTable('Activities (as listed on the CA-17)', 'visit', 'res'),
                    { row: [field('textarea', 'visit.restrictions', 'Other restrictions', 12)] }
                ]
            },
            { id: 'signature', title: 'Provider', blocks: [signatureRow(WS)] },
            {
                id: 'chart', title: 'Chart only (not printed on the employer copy)', screenOnly: true,
                note: 'The employer copy carries no diagnosis (ADA). The diagnosis is shared with the OWCP reports.',
                blocks: [{ row: [field('textarea', 'case.diagnosis', 'Diagnosis', 8), text('case.icdCodes', 'ICD-10-CM code(s)', 4)] }]
            }
        ]
    });

    const FREQS = [500, 1000, 2000, 3000, 4000, 6000];

    function audiogram(get, prefix) {
        const out = { right: {}, left: {} };
        FREQS.forEach(function (f) {
            out.right[f] = get(prefix + f + 'R');
            out.left[f] = get(prefix + f + 'L');
        });
        return out;
    }

    function stsText(get, ear) {
        const r = K.rulesWorkplace.standardThresholdShift(audiogram(get, PP + 'base'), audiogram(get, 'visit.aud'))[ear];
        if (!r)
            return '';
        const round = function (v) { return Math.round(v * 10) / 10; };
        return 'average shift ' + round(r.averageShift) + ' dB, level ' + round(r.averageLevel) + ' dB \u2014 '
            + (r.recordable ? 'STS, recordable' : r.sts ? 'STS, not recordable' : 'no STS');
    }

    function fev1Ratio(get) {
        const fvc = Number(get('visit.fvc')), fev1 = Number(get('visit.fev1'));
        if (!(fvc > 0) || !(fev1 > 0) || get('visit.fvc') === '' || get('visit.fev1') === '')
            return '';
        return (Math.round(fev1 / fvc * 1000) / 10) + ' %';
    }

    function audTable(caption, prefix, what) {
        function row(ear, label) {
            return { label: label, cells: FREQS.map(function (f) {
                return b.number(prefix + f + ear, what + ', ' + label.toLowerCase() + ', ' + f + ' Hz', 0);
            }) };
        }
        return { type: 'table', caption: caption, columns: FREQS.map(function (f) { return f + ' Hz'; }),
                 rows: [row('R', 'Right ear'), row('L', 'Left ear')] };
    }

    const dot = K.formsDot;
    forms.register({
        id: 'pre-placement',
        family: 'clinic',
        code: 'Pre-placement / Periodic',
        title: 'Examination Report',
        shortTitle: 'Pre-placement / periodic exam',
        agency: 'Clinic record',
        omb: 'Not a government form',
        revision: 'Kestrova clinic form, version 1',
        letterhead: true,
        includedByDefault: false,
        sections: [
            {
                id: 'exam', title: 'Examination, job and exposures',
                blocks: [
                    { row: [b.radio(PP + 'examType', 'Type of examination', b.opts([['preplacement', 'Pre-placement'], ['periodic', 'Periodic / surveillance'],
                        ['return', 'Return to work'], ['exit', 'Exit']]), 8), date('visit.examDate', 'Examination date', 4)] },
                    { row: [text('patient.lastName', 'Last name', 3), text('patient.firstName', 'First name', 3),
                            date('patient.dob', 'Date of birth', 3), text('patient.employeeId', 'Employee ID', 3)] },
                    { row: [text('employer.name', 'Employer', 5), text('employer.jobTitle', 'Job title', 4),
                            text('employer.noiseTwa', 'Noise (8-hour TWA)', 3, { unit: 'dBA' })] },
                    { row: [field('textarea', 'employer.exposures', 'Exposures (agents, physical demands, respirator use)', 12)] }
                ]
            },
            {
                id: 'history', title: 'Health history',
                blocks: [
                    { type: 'choices', legend: 'Do you have or have you ever had:', options: b.opts([['yes', 'Yes'], ['no', 'No'], ['unsure', 'Not sure']]),
                      items: dot.HISTORY.map(function (h, i) { return { path: dot.PATH + h[0], label: h[1], number: String(i + 1) }; }) },
                    { row: [field('textarea', PP + 'historyNotes', 'Comments on \u201cyes\u201d answers', 12)] }
                ]
            },
            {
                id: 'vitals', title: 'Vital signs, vision and hearing',
                blocks: [
                    { row: [b.number('visit.pulse', 'Pulse', 2, { unit: '/min' }), b.number('visit.bpSys', 'BP systolic', 2, { unit: 'mmHg' }),
                            b.number('visit.bpDia', 'BP diastolic', 2, { unit: 'mmHg' }), b.number('visit.heightFt', 'Height', 2, { unit: 'ft' }),
                            b.number('visit.heightIn', '(inches)', 2, { unit: 'in' }), b.number('visit.weight', 'Weight', 2, { unit: 'lb' })] },
                    { row: [text('visit.visRightCor', 'Vision right (corrected)', 3, { prefix: '20/' }), text('visit.visLeftCor', 'Vision left (corrected)', 3, { prefix: '20/' }),
                            text('visit.visBothCor', 'Vision both (corrected)', 3, { prefix: '20/' }),
                            b.radio(PP + 'colorVision', 'Color vision normal', b.YES_NO, 3)] }
                ]
            },
            {
                id: 'physical', title: 'Physical examination',
                blocks: [
                    { type: 'choices', legend: 'Body system', options: b.opts([['normal', 'Normal'], ['abnormal', 'Abnormal']]), comment: true,
                      items: dot.SYSTEMS.map(function (s, i) { return { path: dot.PATH + s[0], label: s[1], number: String(i + 1), commentPath: dot.PATH + s[0] + 'Note' }; }) }
                ]
            },
            {
                id: 'audiometry', title: 'Audiometry (29 CFR 1910.95)',
                blocks: [
                    audTable('This test: hearing threshold (dB HL)', 'visit.aud', 'This test'),
                    { row: [date(PP + 'baselineDate', 'Baseline audiogram date', 4)] },
                    audTable('Baseline audiogram (dB HL)', PP + 'base', 'Baseline'),
                    { row: [b.computed('Standard threshold shift, right ear (2000/3000/4000 Hz)', 6, function (get) { return stsText(get, 'right'); }),
                            b.computed('Standard threshold shift, left ear (2000/3000/4000 Hz)', 6, function (get) { return stsText(get, 'left'); })] },
                    { type: 'note', text: 'Shifts are computed without age correction (Appendix F of 29 CFR 1910.95 allows it).' }
                ]
            },
            {
                id: 'spirometry', title: 'Spirometry',
                blocks: [
                    { row: [b.number('visit.fvc', 'FVC', 2, { unit: 'L' }), b.number('visit.fvcPct', 'FVC', 2, { unit: '% pred.' }),
                            b.number('visit.fev1', 'FEV1', 2, { unit: 'L' }), b.number('visit.fev1Pct', 'FEV1', 2, { unit: '% pred.' }),
                            b.computed('FEV1/FVC', 2, fev1Ratio), b.number('visit.ratioLln', 'LLN of FEV1/FVC', 2, { unit: '%' })] },
                    { row: [b.select('visit.spiroInterpretation', 'Interpretation', b.opts([['', '\u2014'], ['normal', 'Within normal limits'],
                        ['obstructive', 'Obstructive pattern'], ['restrictive', 'Possible restriction'], ['mixed', 'Mixed pattern'],
                        ['unacceptable', 'Not acceptable / not reproducible']]), 5),
                            text('visit.spiroNotes', 'Notes', 7)] }
                ]
            },
            {
                id: 'determination', title: 'Determination',
                blocks: [
                    { row: [b.radio(PP + 'determination', 'The examinee is', b.opts([['qualified', 'Qualified for the job'],
                        ['restrictions', 'Qualified with restrictions'], ['notQualified', 'Not qualified'], ['pending', 'Determination pending']]), 12)] },
                    { row: [field('textarea', PP + 'restrictions', 'Restrictions / reason / follow-up', 12)] },
                    signatureRow(PP)
                ]
            }
        ]
    });

    forms.register({
        id: 'drug-alcohol',
        family: 'clinic',
        code: 'Drug & Alcohol',
        title: 'Testing Record',
        shortTitle: 'Drug and alcohol testing',
        agency: 'Clinic record \u2014 49 CFR Part 40 where DOT-regulated',
        omb: 'Not a government form; the CCF and ATF are kept with it',
        revision: 'Kestrova clinic form, version 1',
        letterhead: true,
        includedByDefault: false,
        sections: [
            {
                id: 'test', title: 'Test',
                blocks: [
                    { row: [select(DA + 'authority', 'Testing authority', [['', '\u2014'], ['FMCSA', 'DOT \u2014 FMCSA'], ['FAA', 'DOT \u2014 FAA'],
                        ['FRA', 'DOT \u2014 FRA'], ['FTA', 'DOT \u2014 FTA'], ['PHMSA', 'DOT \u2014 PHMSA'], ['USCG', 'DOT \u2014 USCG'],
                        ['non-DOT', 'Non-DOT (employer policy)']], 4),
                            b.radio(DA + 'reason', 'Reason for test', b.opts([['preemployment', 'Pre-employment'], ['random', 'Random'],
                                ['suspicion', 'Reasonable suspicion/cause'], ['postaccident', 'Post-accident'], ['returnToDuty', 'Return to duty'],
                                ['followUp', 'Follow-up']]), 8)] },
                    { row: [text('patient.lastName', 'Donor: last name', 3), text('patient.firstName', 'First name', 3),
                            text('patient.employeeId', 'Donor ID (employee ID)', 3), date('visit.examDate', 'Date', 3)] },
                    { row: [text('employer.name', 'Employer', 5), text('employer.der', 'Designated employer representative (DER)', 4),
                            b.tel('employer.phone', 'Phone', 3)] }
                ]
            },
            {
                id: 'drug', title: 'Drug test: urine collection',
                blocks: [
                    { row: [text(DA + 'ccfId', 'CCF specimen ID', 3), b.time(DA + 'collectTime', 'Collection time', 2),
                            b.radio(DA + 'collectionType', 'Collection', b.opts([['split', 'Split'], ['single', 'Single']]), 3),
                            box(DA + 'observed', 'Observed collection', 2), b.number(DA + 'volumeMl', 'Volume', 2, { unit: 'mL' })] },
                    { row: [b.radio(DA + 'temperatureInRange', 'Temperature in range (32\u201338 \u00b0C / 90\u2013100 \u00b0F)', b.YES_NO, 4),
                            b.number(DA + 'temperature', 'Reading', 2), select(DA + 'temperatureUnit', 'Unit', [['', '\u2014'], ['F', '\u00b0F'], ['C', '\u00b0C']], 2),
                            b.number(DA + 'temperatureMinutes', 'Read after (minutes)', 4, { unit: 'min' })] },
                    { row: [text(DA + 'collector', 'Collector', 4), text(DA + 'lab', 'Laboratory', 4), text(DA + 'mro', 'Medical review officer', 4)] },
                    { row: [select(DA + 'drugResult', 'Verified result', [['', '\u2014'], ['negative', 'Negative'], ['negativeDilute', 'Negative-dilute'],
                        ['positive', 'Positive'], ['refusal', 'Refusal to test'], ['cancelled', 'Cancelled']], 4),
                            date(DA + 'resultDate', 'Result date', 3)] }
                ]
            },
            {
                id: 'alcohol', title: 'Alcohol test',
                blocks: [
                    { row: [text(DA + 'atfNo', 'ATF number', 3), text(DA + 'device', 'Device (screening / EBT)', 5),
                            text(DA + 'technician', 'BAT / STT', 4)] },
                    { row: [b.time(DA + 'screenTime', 'Screening test time', 3), b.number(DA + 'screenResult', 'Screening result', 3, { unit: 'g/210 L' }),
                            b.time(DA + 'confirmTime', 'Confirmation test time', 3), b.number(DA + 'confirmResult', 'Confirmation result', 3, { unit: 'g/210 L' })] }
                ]
            },
            { id: 'remarks', title: 'Remarks', blocks: [{ row: [field('textarea', DA + 'remarks', 'Remarks', 12)] }, signatureRow(DA)] }
        ]
    });
})(typeof globalThis !== 'undefined' ? globalThis : this);
