// DOT/FMCSA forms: MCSA-5875 Medical Examination Report and MCSA-5876 Medical
// Examiner's Certificate, in the item order of the FMCSA forms (OMB No. 2126-0006).
(function (root) {
    'use strict';

    const forms = root.Kestrova.forms;
    const rules = root.Kestrova.rulesDot;
    const dates = root.Kestrova.dates;

    function field(type, path, label, width, extra) {
        const f = { type: type, path: path, label: label, width: width || 3 };
        return Object.assign(f, extra || {});
    }
    const text = field.bind(null, 'text');
    const date = field.bind(null, 'date');
    const number = field.bind(null, 'number');
    const area = field.bind(null, 'textarea');
    const box = field.bind(null, 'checkbox');
    function radio(path, label, options, width, extra) {
        return field('radio', path, label, width || 6, Object.assign({ options: options }, extra || {}));
    }
    function select(path, label, options, width, extra) {
        return field('select', path, label, width || 3, Object.assign({ options: options }, extra || {}));
    }
    function opts(pairs) {
        return pairs.map(function (p) { return { value: p[0], label: p[1] }; });
    }

    const YES_NO = opts([['yes', 'Yes'], ['no', 'No']]);
    const YES_NO_UNSURE = opts([['yes', 'Yes'], ['no', 'No'], ['unsure', 'Not sure']]);
    const NORMAL_ABNORMAL = opts([['normal', 'Normal'], ['abnormal', 'Abnormal']]);
    const STATES = forms.builders.STATES;
    // The driver's own state/province fields also offer Canada and Mexico.
    const STATES_PROVINCES = forms.builders.STATES_PROVINCES;
    const OCCUPATIONS = opts([['', '\u2014'], ['md', 'Physician (MD)'], ['do', 'Physician (DO)'],
        ['pa', 'Physician Assistant'], ['chiropractor', 'Chiropractor'], ['apn', 'Advanced Practice Nurse'],
        ['other', 'Other Practitioner']]);
    const DETERMINATIONS = opts([
        ['notMeet', 'Does not meet standards in 49 CFR 391.41 (specify reason)'],
        ['meets2y', 'Meets standards in 49 CFR 391.41; qualifies for 2-year certificate'],
        ['periodic', 'Meets standards, but periodic monitoring required'],
        ['pending', 'Determination pending (specify reason; follow-up within 45 days)'],
        ['incomplete', 'Incomplete examination (specify reason)']]);
    const PERIODS = opts([['3m', '3 months'], ['6m', '6 months'], ['1y', '1 year'], ['other', 'Other (months)']]);

    const HISTORY = [
        ['hhHead', 'Head/brain injuries or illnesses (e.g., concussion)'],
        ['hhSeizures', 'Seizures, epilepsy'],
        ['hhEye', 'Eye problems (except glasses or contacts)'],
        ['hhEar', 'Ear and/or hearing problems'],
        ['hhHeart', 'Heart disease, heart attack, bypass, or other heart problems'],
        ['hhPacemaker', 'Pacemaker, stents, implantable devices, or other heart procedures'],
        ['hhBloodPressure', 'High blood pressure'],
        ['hhCholesterol', 'High cholesterol'],
        ['hhBreathing', 'Chronic (long-term) cough, shortness of breath, or other breathing problems'],
        ['hhLung', 'Lung disease (e.g., asthma)'],
        ['hhKidney', 'Kidney problems, kidney stones, or pain/problems with urination'],
        ['hhStomach', 'Stomach, liver, or digestive problems'],
        ['hhDiabetes', 'Diabetes or blood sugar problems'],
        ['hhInsulin', 'Insulin used (for diabetes)'],
        ['hhMental', 'Anxiety, depression, nervousness, other mental health problems'],
        ['hhFainting', 'Fainting or passing out'],
        ['hhDizziness', 'Dizziness, headaches, numbness, tingling, or memory loss'],
        ['hhWeightLoss', 'Unexplained weight loss'],
        ['hhStroke', 'Stroke, mini-stroke (TIA), paralysis, or weakness'],
        ['hhLimb', 'Missing or limited use of arm, hand, finger, leg, foot, toe'],
        ['hhBack', 'Neck or back problems'],
        ['hhBone', 'Bone, muscle, joint, or nerve problems'],
        ['hhClots', 'Blood clots or bleeding problems'],
        ['hhCancer', 'Cancer'],
        ['hhInfection', 'Chronic (long-term) infection or other chronic diseases'],
        ['hhSleep', 'Sleep disorders, pauses in breathing while asleep, daytime sleepiness, loud snoring'],
        ['hhSleepTest', 'Have you ever had a sleep test (e.g., sleep apnea)?'],
        ['hhHospital', 'Have you ever spent a night in the hospital?'],
        ['hhBrokenBone', 'Have you ever had a broken bone?'],
        ['hhTobacco', 'Have you ever used or do you now use tobacco?'],
        ['hhAlcohol', 'Do you currently drink alcohol?'],
        ['hhIllegal', 'Have you used an illegal substance within the past two years?'],
        ['hhDrugTest', 'Have you ever failed a drug test or been dependent on an illegal substance?'],
        ['hhOther', 'Other health condition(s) not described above']
    ];

    const SYSTEMS = [
        ['sysGeneral', 'General'], ['sysSkin', 'Skin'], ['sysEyes', 'Eyes'], ['sysEars', 'Ears'],
        ['sysMouth', 'Mouth/throat'], ['sysCardio', 'Cardiovascular'], ['sysLungs', 'Lungs/chest'],
        ['sysAbdomen', 'Abdomen'], ['sysGu', 'Genito-urinary system including hernias'],
        ['sysBack', 'Back/spine'], ['sysExtremities', 'Extremities/joints'],
        ['sysNeuro', 'Neurological system including reflexes'], ['sysGait', 'Gait'],
        ['sysVascular', 'Vascular system']
    ];

    const F = 'mcsa-5875.';
    const C = 'mcsa-5876.';

    // The pre-placement examination asks the same history and examines the same systems.
    root.Kestrova.formsDot = { HISTORY: HISTORY, SYSTEMS: SYSTEMS, PATH: F };

    function age(get) {
        const a = dates.ageOn(get('patient.dob'), get('visit.examDate') || dates.today());
        return Number.isNaN(a) ? '' : String(a);
    }

    function fmtDb(n) {
        return Number.isNaN(n) ? '' : (Math.round(n * 10) / 10) + ' dB';
    }

    function dotInput(get) {
        return root.Kestrova.rulesDotAdapter.input(get);
    }

    // The conditions tick boxes are one set of values shown on both forms.
    const CONDITIONS = [
        box(F + 'condLenses', 'Wearing corrective lenses', 4),
        box(F + 'condHearingAid', 'Wearing hearing aid', 4),
        box(F + 'condWaiver', 'Accompanied by a waiver/exemption', 4),
        box(F + 'condSpe', 'Accompanied by a Skill Performance Evaluation (SPE) Certificate', 4),
        box(F + 'condIntracity', 'Driving within an exempt intracity zone (49 CFR 391.62)', 4),
        box(F + 'cond39164', 'Qualified by operation of 49 CFR 391.64 (Federal)', 4)
    ];

    const EXAMINER_ROWS = [
        { row: [text('provider.name', 'Medical examiner\u2019s name (print)', 6, { autocomplete: 'name' }),
                field('tel', 'provider.phone', 'Telephone number', 3),
                date('visit.examDate', 'Examination date', 3)] },
        { row: [text('provider.street', 'Address', 5), text('provider.city', 'City', 3),
                select('provider.state', 'State', STATES, 2), text('provider.zip', 'ZIP code', 2)] },
        { row: [text('provider.licenseNumber', 'License or certificate number', 4),
                select('provider.licenseState', 'Issuing state', STATES, 2),
                text('provider.nrNumber', 'National Registry number (10 digits)', 3, { inputmode: 'numeric', maxLength: 10 }),
                date('provider.nrDate', 'National Registry certification date', 3)] },
        { row: [select('provider.occupation', 'Medical examiner (occupation)', OCCUPATIONS, 4),
                text('provider.occupationOther', 'Other practitioner (specify)', 4)] }
    ];

    // The determination and its follow-up fields, as Section 3 (federal) and Section 4
    // (State) both ask them: `mcsa-5875.<key>`, or `mcsa-5875.state<Key>` for the State.
    function determinationRows(F, prefix, label) {
        function name(key) {
            return F + (prefix ? prefix + key.charAt(0).toUpperCase() + key.slice(1) : key);
        }
        return [
            { row: [radio(name('determination'), label, DETERMINATIONS, 12, { vertical: true })] },
            { row: [text(name('notMeetReason'), 'Does not meet standards: reason', 6),
                    text(name('incompleteReason'), 'Incomplete examination: reason', 6)] },
            { row: [text(name('periodicReason'), 'Periodic monitoring required due to', 6),
                    select(name('period'), 'Driver qualified for', [{ value: '', label: '\u2014' }].concat(PERIODS), 3),
                    number(name('periodOther'), 'Other period (months)', 3)] },
            { row: [text(name('pendingReason'), 'Determination pending: reason', 6),
                    date(name('followUpDate'), 'Return for follow-up on', 3)] }
        ];
    }

    forms.register({
        id: 'mcsa-5875',
        family: 'dot',
        code: 'MCSA-5875',
        title: 'Medical Examination Report Form (for Commercial Driver Medical Certification)',
        shortTitle: 'Medical Examination Report',
        agency: 'U.S. Department of Transportation \u2014 Federal Motor Carrier Safety Administration',
        omb: 'OMB No. 2126-0006',
        revision: 'MCSA-5875, FMCSA form in use since 06/22/2018',
        includedByDefault: true,
        sections: [
            {
                id: 'header', title: 'Record',
                blocks: [{ row: [text(F + 'medicalRecordNo', 'Medical Record #', 4), date('visit.examDate', 'Examination date', 3)] }]
            },
            {
                id: 'driver', title: 'Section 1. Driver Information',
                note: 'To be filled out by the driver.',
                blocks: [
                    { row: [text('patient.lastName', 'Last name', 4, { autocomplete: 'family-name' }),
                            text('patient.firstName', 'First name', 3, { autocomplete: 'given-name' }),
                            text('patient.middleInitial', 'Middle initial', 2, { maxLength: 3 }),
                            date('patient.dob', 'Date of birth', 2),
                            { type: 'computed', label: 'Age', width: 1, compute: age }] },
                    { row: [text('patient.street', 'Street address', 5, { autocomplete: 'street-address' }),
                            text('patient.city', 'City', 3), select('patient.state', 'State/Province', STATES_PROVINCES, 2),
                            text('patient.zip', 'ZIP/postal code', 2, { autocomplete: 'postal-code' })] },
                    { row: [text('patient.licenseNumber', 'Driver\u2019s license number', 3),
                            select('patient.licenseState', 'Issuing state/province', STATES_PROVINCES, 2),
                            field('tel', 'patient.phone', 'Phone', 3, { autocomplete: 'tel' }),
                            field('email', 'patient.email', 'E-mail (optional)', 4, { autocomplete: 'email' })] },
                    { row: [radio('patient.cdl', 'CLP/CDL applicant/holder', YES_NO, 4),
                            text('visit.idVerifiedBy', 'Driver ID verified by (type of photo ID)', 4),
                            radio(F + 'certDenied', 'Has your USDOT/FMCSA medical certificate ever been denied or issued for less than 2 years?', YES_NO_UNSURE, 4)] }
                ]
            },
            {
                id: 'history', title: 'Section 1. Driver Health History',
                blocks: [
                    { row: [radio(F + 'surgery', 'Have you ever had surgery?', YES_NO_UNSURE, 5),
                            text(F + 'surgeryText', 'If yes, please list and explain', 7)] },
                    { row: [radio(F + 'medications', 'Are you currently taking medications (prescription, over-the-counter, herbal remedies, diet supplements)?', YES_NO_UNSURE, 5),
                            area(F + 'medicationsText', 'If yes, please describe them', 7)] },
                    {
                        type: 'choices', legend: 'Do you have or have you ever had:', options: YES_NO_UNSURE,
                        items: HISTORY.map(function (h, i) { return { path: F + h[0], label: h[1], number: String(i + 1) }; })
                    },
                    { row: [area(F + 'historyComments', 'Did you answer \u201cyes\u201d to any of the questions above? Please comment further on those health conditions', 12)] },
                    { row: [box(F + 'driverSigned', 'Driver signed the certification of Section 1', 6),
                            date(F + 'driverSignedDate', 'Date signed', 3)] }
                ]
            },
            {
                id: 'exam', title: 'Section 2. Examination Report',
                note: 'To be filled out by the medical examiner.',
                blocks: [
                    { row: [area(F + 'historyReview', 'Driver health history review: discuss any \u201cyes\u201d answers and any medication side effects', 12)] },
                    { type: 'heading', text: 'Testing' },
                    { row: [number('visit.pulse', 'Pulse rate', 2, { unit: '/min' }),
                            radio('visit.pulseRegular', 'Pulse rhythm regular', YES_NO, 3),
                            number('visit.heightFt', 'Height (feet)', 2, { unit: 'ft' }),
                            number('visit.heightIn', 'Height (inches)', 2, { unit: 'in' }),
                            number('visit.weight', 'Weight', 3, { unit: 'lb' })] },
                    { type: 'table', caption: 'Blood pressure (sitting)', columns: ['Systolic', 'Diastolic'],
                      rows: [
                          { label: 'Reading', cells: [number('visit.bpSys', 'Blood pressure, systolic', 0, { unit: 'mmHg' }),
                                                      number('visit.bpDia', 'Blood pressure, diastolic', 0, { unit: 'mmHg' })] },
                          { label: 'Second reading (optional)', cells: [number('visit.bpSys2', 'Second reading, systolic', 0, { unit: 'mmHg' }),
                                                                        number('visit.bpDia2', 'Second reading, diastolic', 0, { unit: 'mmHg' })] }
                      ] },
                    { row: [box('visit.bpTreated', 'On treatment for hypertension', 4),
                            { type: 'computed', label: 'Blood-pressure stage (deciding reading)', width: 8, compute: function (get) {
                                const input = dotInput(get);
                                const reading = rules.decidingReading(input.bp);
                                const stage = rules.bpStage(reading.sys, reading.dia, input.bp.treated);
                                if (stage.stage === 'unknown')
                                    return '';
                                return stage.label + ' \u2014 ' + (stage.maxMonths ? 'certificate up to ' + stage.maxMonths + ' months' : 'disqualifying');
                            } }] },
                    { type: 'table', caption: 'Urinalysis', columns: ['Sp. Gr.', 'Protein', 'Blood', 'Sugar'],
                      rows: [{ label: 'Result', cells: [text('visit.uaSg', 'Urinalysis, specific gravity'), text('visit.uaProtein', 'Urinalysis, protein'),
                                                        text('visit.uaBlood', 'Urinalysis, blood'), text('visit.uaSugar', 'Urinalysis, sugar')] }] },
                    { type: 'heading', text: 'Vision' },
                    { type: 'note', text: 'Standard: at least 20/40 acuity (Snellen) in each eye with or without correction; at least 70\u00b0 field of vision in the horizontal meridian in each eye; the use of corrective lenses should be noted on the Medical Examiner\u2019s Certificate.' },
                    { type: 'table', caption: 'Acuity and field of vision', columns: ['Uncorrected', 'Corrected', 'Horizontal field of vision'],
                      rows: [
                          { label: 'Right eye', cells: [text('visit.visRightUnc', 'Right eye, uncorrected acuity', 0, { prefix: '20/' }),
                                                        text('visit.visRightCor', 'Right eye, corrected acuity', 0, { prefix: '20/' }),
                                                        number('visit.visFieldRight', 'Right eye, horizontal field of vision', 0, { unit: 'degrees' })] },
                          { label: 'Left eye', cells: [text('visit.visLeftUnc', 'Left eye, uncorrected acuity', 0, { prefix: '20/' }),
                                                       text('visit.visLeftCor', 'Left eye, corrected acuity', 0, { prefix: '20/' }),
                                                       number('visit.visFieldLeft', 'Left eye, horizontal field of vision', 0, { unit: 'degrees' })] },
                          { label: 'Both eyes', cells: [text('visit.visBothUnc', 'Both eyes, uncorrected acuity', 0, { prefix: '20/' }),
                                                        text('visit.visBothCor', 'Both eyes, corrected acuity', 0, { prefix: '20/' }), null] }
                      ] },
                    { row: [radio('visit.visColor', 'Can recognize and distinguish among traffic control signals and devices showing red, green, and amber colors?', YES_NO, 6),
                            radio('visit.visMonocular', 'Monocular vision?', YES_NO, 3),
                            box('visit.visReferred', 'Referred to ophthalmologist or optometrist', 3)] },
                    { row: [box('visit.visDocumentation', 'Received documentation from ophthalmologist or optometrist', 4),
                            box(F + 'altVision', 'Alternative vision standard (49 CFR 391.44)', 4),
                            date(F + 'form5871Date', 'MCSA-5871 signed on', 4)] },
                    { type: 'heading', text: 'Hearing' },
                    { type: 'note', text: 'Standard: a) must first perceive forced whispered voice at not less than 5 feet, with or without a hearing aid, or b) average hearing loss in the better ear not greater than 40 dB at 500, 1,000 and 2,000 Hz.' },
                    { row: [radio('visit.hearAid', 'Hearing aid used for test', opts([['right', 'Right ear'], ['left', 'Left ear'], ['both', 'Both ears'], ['neither', 'Neither']]), 12)] },
                    { type: 'table', caption: 'Whisper test: distance (feet) at which a forced whisper can first be heard', columns: ['Right ear', 'Left ear'],
                      rows: [{ label: 'Distance', cells: [number('visit.whisperRight', 'Forced whisper, right ear', 0, { unit: 'ft' }),
                                                          number('visit.whisperLeft', 'Forced whisper, left ear', 0, { unit: 'ft' })] }] },
                    { type: 'table', caption: 'Audiometric test results (dB)', columns: ['500 Hz', '1000 Hz', '2000 Hz'],
                      rows: [
                          { label: 'Right ear', cells: [number('visit.aud500R', 'Right ear, 500 Hz', 0, { unit: 'dB' }),
                                                        number('visit.aud1000R', 'Right ear, 1000 Hz', 0, { unit: 'dB' }),
                                                        number('visit.aud2000R', 'Right ear, 2000 Hz', 0, { unit: 'dB' })] },
                          { label: 'Left ear', cells: [number('visit.aud500L', 'Left ear, 500 Hz', 0, { unit: 'dB' }),
                                                       number('visit.aud1000L', 'Left ear, 1000 Hz', 0, { unit: 'dB' }),
                                                       number('visit.aud2000L', 'Left ear, 2000 Hz', 0, { unit: 'dB' })] }
                      ] },
                    { row: [{ type: 'computed', label: 'Average, right ear', width: 3, compute: function (get) { return fmtDb(rules.hearingAverages(dotInput(get).hearing).right); } },
                            { type: 'computed', label: 'Average, left ear', width: 3, compute: function (get) { return fmtDb(rules.hearingAverages(dotInput(get).hearing).left); } }] }
                ]
            },
            {
                id: 'physical', title: 'Section 2. Examination Report (continued): Physical Examination',
                note: 'Check the body systems for abnormalities; discuss any abnormal answer in detail in the space below.',
                blocks: [
                    { type: 'choices', legend: 'Body system', options: NORMAL_ABNORMAL, comment: true,
                      items: SYSTEMS.map(function (s, i) { return { path: F + s[0], label: s[1], number: String(i + 1), commentPath: F + s[0] + 'Note' }; }) },
                    { row: [area(F + 'systemsComments', 'Comments on abnormal findings (indicate system by number)', 12)] }
                ]
            },
            {
                id: 'determination', title: 'Section 3. Medical Examiner Determination (Federal)',
                note: 'Use this section for examinations performed in accordance with the FMCSRs (49 CFR 391.41\u2013391.49).',
                blocks: determinationRows(F, '', 'Determination').concat([
                    { row: [box('visit.insulinTreated', 'Insulin-treated diabetes mellitus (49 CFR 391.46)', 6),
                            date(F + 'form5870Date', 'MCSA-5870 signed on', 3)] },
                    { type: 'subheading', text: 'If the driver meets the standards, complete a Medical Examiner\u2019s Certificate. The driver qualifies only when:' },
                    { row: CONDITIONS },
                    { row: [box(F + 'amended', 'Report amended', 2), text(F + 'amendedReason', 'Reason for amendment', 4),
                            box(F + 'amendedSigned', 'Medical examiner signed the amendment', 3),
                            date(F + 'amendedDate', 'Date of amendment', 3)] },
                    { type: 'heading', text: 'Medical examiner information' }
                ].concat(EXAMINER_ROWS).concat([
                    { row: [date(F + 'expiryDate', 'Medical examiner\u2019s certificate expiration date', 4),
                            { type: 'computed', label: 'Expiration from the exam date and the determination', width: 5,
                              compute: function (get) { return dates.toUs(rules.computeExpiry(dotInput(get))); },
                              action: { label: 'Use this date', run: function (get, set) {
                                  const expiry = rules.computeExpiry(dotInput(get));
                                  if (expiry)
                                      set(F + 'expiryDate', expiry);
                              } } }] },
                    { row: [box(F + 'examinerSigned', 'Medical examiner signed the report', 4),
                            box(F + 'reported', 'Reported to the National Registry', 4)] }
                ]))
            },
            {
                id: 'state', title: 'Section 4. Medical Examiner Determination (State)',
                note: 'Use this section for examinations performed in accordance with the FMCSRs with any applicable State variances (which will only be valid for intrastate operations).',
                blocks: determinationRows(F, 'state', 'State determination').concat([
                    { row: [text(F + 'stateReason', 'Other remarks on the State determination', 12)] },
                    { row: [date(F + 'stateExpiryDate', 'State certificate expiration date', 4),
                            { type: 'computed', label: 'Expiration from the exam date and the State determination', width: 5,
                              compute: function (get) { return dates.toUs(rules.computeExpiry(dotInput(get), 'state')); },
                              action: { label: 'Use this date', run: function (get, set) {
                                  const expiry = rules.computeExpiry(dotInput(get), 'state');
                                  if (expiry)
                                      set(F + 'stateExpiryDate', expiry);
                              } } }] }
                ])
            }
        ]
    });

    forms.register({
        id: 'mcsa-5876',
        family: 'dot',
        code: 'MCSA-5876',
        title: 'Medical Examiner\u2019s Certificate (for Commercial Driver Medical Certification)',
        shortTitle: 'Medical Examiner\u2019s Certificate',
        agency: 'U.S. Department of Transportation \u2014 Federal Motor Carrier Safety Administration',
        omb: 'OMB No. 2126-0006',
        revision: 'MCSA-5876, FMCSA form in use since 06/22/2018',
        includedByDefault: true,
        certificate: true,
        sections: [
            {
                id: 'attestation', title: 'Certification',
                blocks: [
                    { type: 'status' },
                    { row: [text('patient.lastName', 'Driver\u2019s last name', 4), text('patient.firstName', 'Driver\u2019s first name', 4)] },
                    { row: [radio(C + 'basis', 'I certify that I have examined this driver in accordance with (check only one)', opts([
                        ['federal', 'the Federal Motor Carrier Safety Regulations (49 CFR 391.41\u2013391.49) and, with knowledge of the driving duties, I find this person is qualified'],
                        ['state', 'the Federal Motor Carrier Safety Regulations (49 CFR 391.41\u2013391.49) with any applicable State variances, which will only be valid for intrastate operations']]),
                        12, { vertical: true })] },
                    { type: 'subheading', text: 'and, if applicable, only when (check all that apply):' },
                    { row: CONDITIONS.concat([box(C + 'grandfathered', 'Grandfathered from State requirements (State)', 4)]) },
                    { type: 'note', text: 'The information I have provided regarding this physical examination is true and complete. A complete Medical Examination Report Form, MCSA-5875, with any attachments embodies my findings completely and correctly, and is on file in my office.' }
                ]
            },
            {
                id: 'examiner', title: 'Medical Examiner',
                blocks: [
                    { row: [box(C + 'examinerSigned', 'Medical examiner signed the certificate', 4),
                            field('tel', 'provider.phone', 'ME\u2019s telephone number', 4),
                            date(C + 'signedDate', 'Date certificate signed', 4)] },
                    { row: [text('provider.name', 'ME\u2019s name (please print or type)', 6),
                            select('provider.occupation', 'Occupation', OCCUPATIONS, 3),
                            text('provider.occupationOther', 'Other practitioner (specify)', 3)] },
                    { row: [text('provider.licenseNumber', 'ME\u2019s license or certificate no.', 4),
                            select('provider.licenseState', 'Issuing state', STATES, 2),
                            text('provider.nrNumber', 'National Registry number (10 digits)', 3, { inputmode: 'numeric', maxLength: 10 })] }
                ]
            },
            {
                id: 'driver', title: 'Driver',
                blocks: [
                    { row: [box(F + 'driverSigned', 'Driver signed Section 1 of the MCSA-5875', 4),
                            text('patient.licenseNumber', 'Driver\u2019s license no.', 4),
                            select('patient.licenseState', 'Issuing state/province', STATES_PROVINCES, 2)] },
                    { row: [text('patient.street', 'Driver\u2019s address', 5), text('patient.city', 'City', 3),
                            select('patient.state', 'State/Province', STATES_PROVINCES, 2), text('patient.zip', 'ZIP/postal code', 2)] },
                    { row: [date('patient.dob', 'Driver\u2019s date of birth', 3),
                            radio('patient.cdl', 'CLP/CDL applicant/holder', YES_NO, 3),
                            box(C + 'intrastateOnly', 'Intrastate only', 2),
                            date(F + 'expiryDate', 'Medical certificate expiration date', 4)] }
                ]
            }
        ]
    });
})(typeof globalThis !== 'undefined' ? globalThis : this);
