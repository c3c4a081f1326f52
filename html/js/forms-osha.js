// OSHA forms: the Respirator Medical Evaluation Questionnaire (29 CFR 1910.134
// Appendix C, whose Part A wording is mandatory and is kept word for word), the
// PLHCP's written recommendation with the fit-test record, and the Form 301 Injury
// and Illness Incident Report.
(function (root) {
    'use strict';

    const K = root.Kestrova;
    const forms = K.forms;
    const b = forms.builders;
    const text = b.text, date = b.date, time = b.time, number = b.number, area = b.area, box = b.box, radio = b.radio,
        select = b.select, opts = b.opts, YES_NO = b.YES_NO;

    const Q = 'respirator-questionnaire.';
    const R = 'plhcp-recommendation.';
    const S = 'osha-301.';

    function age(get) {
        const a = K.dates.ageOn(get('patient.dob'), get('visit.examDate') || K.dates.today());
        return Number.isNaN(a) ? '' : String(a);
    }

    // Part A Section 2 and questions 10 to 15, as Appendix C words them. A question
    // with lettered parts is [number, stem, [[letter, text], ...]].
    const SECTION2 = [
        ['1', 'Do you currently smoke tobacco, or have you smoked tobacco in the last month?'],
        ['2', 'Have you ever had any of the following conditions?', [
            ['a', 'Seizures (fits)'], ['b', 'Diabetes (sugar disease)'], ['c', 'Allergic reactions that interfere with your breathing'],
            ['d', 'Claustrophobia (fear of closed-in places)'], ['e', 'Trouble smelling odors']]],
        ['3', 'Have you ever had any of the following pulmonary or lung problems?', [
            ['a', 'Asbestosis'], ['b', 'Asthma'], ['c', 'Chronic bronchitis'], ['d', 'Emphysema'], ['e', 'Pneumonia'],
            ['f', 'Tuberculosis'], ['g', 'Silicosis'], ['h', 'Pneumothorax (collapsed lung)'], ['i', 'Lung cancer'],
            ['j', 'Broken ribs'], ['k', 'Any chest injuries or surgeries'], ['l', 'Any other lung problem that you\u2019ve been told about']]],
        ['4', 'Do you currently have any of the following symptoms of pulmonary or lung illness?', [
            ['a', 'Shortness of breath'],
            ['b', 'Shortness of breath when walking fast on level ground or walking up a slight hill or incline'],
            ['c', 'Shortness of breath when walking with other people at an ordinary pace on level ground'],
            ['d', 'Have to stop for breath when walking at your own pace on level ground'],
            ['e', 'Shortness of breath when washing or dressing yourself'], ['f', 'Shortness of breath that interferes with your job'],
            ['g', 'Coughing that produces phlegm (thick sputum)'], ['h', 'Coughing that wakes you early in the morning'],
            ['i', 'Coughing that occurs mostly when you are lying down'], ['j', 'Coughing up blood in the last month'],
            ['k', 'Wheezing'], ['l', 'Wheezing that interferes with your job'], ['m', 'Chest pain when you breathe deeply'],
            ['n', 'Any other symptoms that you think may be related to lung problems']]],
        ['5', 'Have you ever had any of the following cardiovascular or heart problems?', [
            ['a', 'Heart attack'], ['b', 'Stroke'], ['c', 'Angina'], ['d', 'Heart failure'],
            ['e', 'Swelling in your legs or feet (not caused by walking)'], ['f', 'Heart arrhythmia (heart beating irregularly)'],
            ['g', 'High blood pressure'], ['h', 'Any other heart problem that you\u2019ve been told about']]],
        ['6', 'Have you ever had any of the following cardiovascular or heart symptoms?', [
            ['a', 'Frequent pain or tightness in your chest'], ['b', 'Pain or tightness in your chest during physical activity'],
            ['c', 'Pain or tightness in your chest that interferes with your job'],
            ['d', 'In the past two years, have you noticed your heart skipping or missing a beat'],
            ['e', 'Heartburn or indigestion that is not related to eating'],
            ['f', 'Any other symptoms that you think may be related to heart or circulation problems']]],
        ['7', 'Do you currently take medication for any of the following problems?', [
            ['a', 'Breathing or lung problems'], ['b', 'Heart trouble'], ['c', 'Blood pressure'], ['d', 'Seizures (fits)']]],
        ['8', 'If you\u2019ve used a respirator, have you ever had any of the following problems? (If you\u2019ve never used a respirator, check the following space and go to question 9:)', [
            ['a', 'Eye irritation'], ['b', 'Skin allergies or rashes'], ['c', 'Anxiety'], ['d', 'General weakness or fatigue'],
            ['e', 'Any other problem that interferes with your use of a respirator']]],
        ['9', 'Would you like to talk to the health care professional who will review this questionnaire about your answers to this questionnaire?']
    ];

    const FULL_FACEPIECE = [
        ['10', 'Have you ever lost vision in either eye (temporarily or permanently)?'],
        ['11', 'Do you currently have any of the following vision problems?', [
            ['a', 'Wear contact lenses'], ['b', 'Wear glasses'], ['c', 'Color blind'], ['d', 'Any other eye or vision problem']]],
        ['12', 'Have you ever had an injury to your ears, including a broken ear drum?'],
        ['13', 'Do you currently have any of the following hearing problems?', [
            ['a', 'Difficulty hearing'], ['b', 'Wear a hearing aid'], ['c', 'Any other hearing or ear problem']]],
        ['14', 'Have you ever had a back injury?'],
        ['15', 'Do you currently have any of the following musculoskeletal problems?', [
            ['a', 'Weakness in any of your arms, hands, legs, or feet'], ['b', 'Back pain'],
            ['c', 'Difficulty fully moving your arms and legs'], ['d', 'Pain or stiffness when you lean forward or backward at the waist'],
            ['e', 'Difficulty fully moving your head up or down'], ['f', 'Difficulty fully moving your head side to side'],
            ['g', 'Difficulty bending at your knees'], ['h', 'Difficulty squatting to the ground'],
            ['i', 'Climbing a flight of stairs or a ladder carrying more than 25 lbs'],
            ['j', 'Any other muscle or skeletal problem that interferes with using a respirator']]]
    ];

    // Single questions run together in one list; a question with parts gets its own.
    function questionBlocks(questions) {
        const blocks = [];
        let singles = null;
        questions.forEach(function (q) {
            if (!q[2]) {
                if (!singles) {
                    singles = { type: 'choices', legend: 'Question', options: YES_NO, items: [] };
                    blocks.push(singles);
                }
                singles.items.push({ path: Q + 'q' + q[0], label: q[1], number: q[0] });
                return;
            }
            singles = null;
            blocks.push({ type: 'choices', legend: q[0] + '. ' + q[1], options: YES_NO,
                          items: q[2].map(function (part) { return { path: Q + 'q' + q[0] + part[0], label: part[1], number: part[0] }; }) });
            if (q[0] === '8')
                blocks.push({ row: [box(Q + 'q8none', 'I have never used a respirator', 6)] });
        });
        return blocks;
    }

    function between(list, first, last) {
        return list.filter(function (q) { return Number(q[0]) >= first && Number(q[0]) <= last; });
    }

    forms.register({
        id: 'respirator-questionnaire',
        family: 'osha',
        code: '1910.134 App. C',
        title: 'OSHA Respirator Medical Evaluation Questionnaire',
        shortTitle: 'Respirator questionnaire',
        agency: 'U.S. Department of Labor \u2014 Occupational Safety and Health Administration',
        omb: '29 CFR 1910.134 Appendix C (mandatory)',
        revision: 'Part A, Sections 1 and 2; Part B not used',
        includedByDefault: false,
        sections: [
            {
                id: 'employee', title: 'To the employee',
                blocks: [
                    { type: 'note', text: 'Your employer must allow you to answer this questionnaire during normal working hours, or at a time and place that is convenient to you. To maintain your confidentiality, your employer or supervisor must not look at or review your answers, and your employer must tell you how to deliver or send this questionnaire to the health care professional who will review it.' },
                    { row: [radio(Q + 'canRead', 'Can you read?', YES_NO, 4)] }
                ]
            },
            {
                id: 'section1', title: 'Part A. Section 1 (mandatory)',
                note: 'The following information must be provided by every employee who has been selected to use any type of respirator (please print).',
                blocks: [
                    { row: [date('visit.examDate', '1. Today\u2019s date', 3), text('patient.lastName', '2. Your name: last', 3),
                            text('patient.firstName', 'First', 3), b.computed('3. Your age (to nearest year)', 3, age)] },
                    { row: [select('patient.sex', '4. Sex', opts([['', '\u2014'], ['m', 'Male'], ['f', 'Female'], ['x', 'Not specified']]), 3),
                            number('visit.heightFt', '5. Your height', 2, { unit: 'ft' }), number('visit.heightIn', '(inches)', 2, { unit: 'in' }),
                            number('visit.weight', '6. Your weight', 2, { unit: 'lbs' }), text('employer.jobTitle', '7. Your job title', 3)] },
                    { row: [b.tel('patient.phone', '8. A phone number where you can be reached by the health care professional who reviews this questionnaire (include the Area Code)', 7),
                            text(Q + 'bestTime', '9. The best time to phone you at this number', 5)] },
                    { row: [radio(Q + 'toldHowToContact', '10. Has your employer told you how to contact the health care professional who will review this questionnaire?', YES_NO, 12)] },
                    { type: 'subheading', text: '11. Check the type of respirator you will use (you can check more than one category):' },
                    { row: [box(Q + 'typeDisposable', 'a. N, R, or P disposable respirator (filter-mask, non-cartridge type only)', 12)] },
                    { type: 'note', text: 'b. Other type (for example, half- or full-facepiece type, powered-air purifying, supplied-air, self-contained breathing apparatus):' },
                    { row: [box(Q + 'typeHalf', 'Half-facepiece', 2), box(Q + 'typeFull', 'Full-facepiece', 2),
                            box(Q + 'typePapr', 'Powered air-purifying (PAPR)', 3), box(Q + 'typeSupplied', 'Supplied-air', 2),
                            box(Q + 'typeScba', 'Self-contained breathing apparatus (SCBA)', 3)] },
                    { row: [radio(Q + 'wornBefore', '12. Have you worn a respirator?', YES_NO, 4),
                            text(Q + 'wornTypes', 'If \u201cyes,\u201d what type(s)', 8)] }
                ]
            },
            {
                id: 'section2', title: 'Part A. Section 2 (mandatory), questions 1 to 4',
                note: 'Questions 1 through 9 below must be answered by every employee who has been selected to use any type of respirator (please circle \u201cyes\u201d or \u201cno\u201d).',
                blocks: questionBlocks(between(SECTION2, 1, 4))
            },
            {
                id: 'section2b', title: 'Part A. Section 2 (mandatory), questions 5 to 9',
                blocks: questionBlocks(between(SECTION2, 5, 9))
            },
            {
                id: 'fullFacepiece', title: 'Part A. Section 2, questions 10 to 15',
                note: 'Questions 10 to 15 below must be answered by every employee who has been selected to use either a full-facepiece respirator or a self-contained breathing apparatus (SCBA). For employees who have been selected to use other types of respirators, answering these questions is voluntary.',
                blocks: questionBlocks(FULL_FACEPIECE)
            },
            {
                id: 'supplemental', title: 'Supplemental information from the employer',
                note: 'Given to the PLHCP before the recommendation is made (29 CFR 1910.134(e)(5)); it does not come from the employee.',
                blocks: [
                    { row: [area('employer.respirator', 'Type and weight of the respirator to be used', 6),
                            area('employer.respDuration', 'Duration and frequency of respirator use (including use for rescue and escape)', 6)] },
                    { row: [area('employer.respEffort', 'Expected physical work effort', 4),
                            area('employer.respClothing', 'Additional protective clothing and equipment to be worn', 4),
                            area('employer.respClimate', 'Temperature and humidity extremes that may be encountered', 4)] }
                ]
            }
        ]
    });

    forms.register({
        id: 'plhcp-recommendation',
        family: 'osha',
        code: 'PLHCP',
        title: 'Written Recommendation on Respirator Use and Fit-Test Record',
        shortTitle: 'PLHCP recommendation, fit test',
        agency: 'Physician or other licensed health care professional (PLHCP)',
        omb: 'Required by 29 CFR 1910.134(e)(6) and (f)',
        revision: 'Kestrova clinic form, version 1',
        includedByDefault: false,
        sections: [
            {
                id: 'employee', title: 'Employee',
                blocks: [
                    { row: [text('patient.lastName', 'Last name', 3), text('patient.firstName', 'First name', 3),
                            date('patient.dob', 'Date of birth', 2), text('employer.jobTitle', 'Job title', 4)] },
                    { row: [text('employer.name', 'Employer', 6), text('employer.respirator', 'Respirator', 6)] }
                ]
            },
            {
                id: 'recommendation', title: 'Recommendation',
                note: 'Under 29 CFR 1910.134(e)(6)(i) the PLHCP gives the employer only this recommendation; the questionnaire answers and medical findings stay confidential.',
                blocks: [
                    { row: [radio(R + 'status', 'The employee is', opts([
                        ['cleared', 'Medically able to use the respirator described, without limitations'],
                        ['limited', 'Medically able to use the respirator described, with the limitations below'],
                        ['pending', 'Not cleared yet: follow-up medical examination needed first'],
                        ['notCleared', 'Not medically able to use the respirator described']]), 12, { vertical: true })] },
                    { row: [area(R + 'limitations', 'Limitations on respirator use related to the employee\u2019s medical condition or to the workplace conditions', 12)] },
                    { row: [radio(R + 'followUpNeeded', 'Follow-up medical evaluation needed', YES_NO, 4),
                            text(R + 'followUpWhen', 'If yes, when / why', 5), box(R + 'followUpDone', 'Follow-up examination done', 3)] },
                    { row: [box(R + 'paprOnly', 'Negative-pressure respirator not advised; a PAPR may be used (29 CFR 1910.134(e)(6)(ii))', 12)] },
                    { row: [box(R + 'employeeCopy', 'The employee has been given a copy of this written recommendation', 8),
                            date(R + 'nextEvaluation', 'Next medical evaluation due', 4)] }
                ]
            },
            {
                id: 'fitTest', title: 'Fit-test record',
                note: 'Fit testing under 29 CFR 1910.134(f) with an Appendix A protocol.',
                blocks: [
                    { row: [date(R + 'fitTestDate', 'Date of fit test', 3), text(R + 'fitMake', 'Respirator make', 3),
                            text(R + 'fitModel', 'Model', 3), text(R + 'fitSize', 'Size', 3)] },
                    { row: [radio(R + 'fitMethod', 'Method', opts([['qlft', 'Qualitative (QLFT)'], ['qnft', 'Quantitative (QNFT)']]), 5),
                            text(R + 'fitProtocol', 'Protocol / agent', 4), text(R + 'fitFactor', 'Fit factor (QNFT)', 3)] },
                    { row: [radio(R + 'fitResult', 'Result', opts([['pass', 'Pass'], ['fail', 'Fail']]), 4),
                            text(R + 'fitTester', 'Fit test administered by', 8)] },
                    { row: [box(R + 'facepieceChanged', 'A different facepiece (size, style, model or make) is to be used', 6),
                            box(R + 'conditionChanged', 'Change in physical condition that could affect fit', 6)] }
                ]
            },
            {
                id: 'signature', title: 'PLHCP',
                blocks: [
                    { row: [text('provider.name', 'Name', 5), text('provider.credential', 'Credential', 2),
                            text('provider.licenseNumber', 'License number', 3), b.select('provider.licenseState', 'State', b.STATES, 2)] },
                    { row: [text('clinic.name', 'Clinic', 5), b.tel('provider.phone', 'Phone', 3),
                            box(R + 'signed', 'Signed by the PLHCP', 2), date(R + 'signedDate', 'Date', 2)] }
                ]
            }
        ]
    });

    forms.register({
        id: 'osha-301',
        family: 'osha',
        code: 'OSHA Form 301',
        title: 'Injury and Illness Incident Report',
        shortTitle: 'Injury and Illness Incident Report',
        agency: 'U.S. Department of Labor \u2014 Occupational Safety and Health Administration',
        omb: 'Form approved OMB No. 1218-0176',
        revision: 'OSHA\u2019s Form 301 (Rev. 04/2004)',
        includedByDefault: false,
        sections: [
            {
                id: 'attention', title: 'Attention',
                blocks: [
                    { type: 'note', text: 'This form contains information relating to employee health and must be used in a manner that protects the confidentiality of employees to the extent possible while the information is being used for occupational safety and health purposes.' },
                    { row: [text(S + 'completedBy', 'Completed by', 4), text(S + 'completedTitle', 'Title', 3),
                            b.tel(S + 'completedPhone', 'Phone', 2), date(S + 'completedDate', 'Date', 3)] }
                ]
            },
            {
                id: 'employee', title: 'Information about the employee',
                blocks: [
                    { row: [text('patient.lastName', '1) Full name: last', 4), text('patient.firstName', 'First', 4),
                            text('patient.middleInitial', 'Middle initial', 2)] },
                    { row: [text('patient.street', '2) Street', 5), text('patient.city', 'City', 3),
                            b.select('patient.state', 'State/Province', b.STATES_PROVINCES, 2), text('patient.zip', 'ZIP', 2)] },
                    { row: [date('patient.dob', '3) Date of birth', 3), date('case.dateHired', '4) Date hired', 3),
                            radio('patient.sex', '5) Sex', opts([['m', 'Male'], ['f', 'Female']]), 6)] }
                ]
            },
            {
                id: 'physician', title: 'Information about the physician or other health care professional',
                blocks: [
                    { row: [text('provider.name', '6) Name of physician or other health care professional', 12)] },
                    { row: [text('clinic.name', '7) If treatment was given away from the worksite, where was it given? Facility', 12)] },
                    { row: [text('clinic.street', 'Street', 5), text('clinic.city', 'City', 3),
                            b.select('clinic.state', 'State', b.STATES, 2), text('clinic.zip', 'ZIP', 2)] },
                    { row: [radio('case.emergencyRoom', '8) Was employee treated in an emergency room?', YES_NO, 6),
                            radio('case.hospitalized', '9) Was employee hospitalized overnight as an in-patient?', YES_NO, 6)] }
                ]
            },
            {
                id: 'case', title: 'Information about the case',
                blocks: [
                    { row: [text('case.oshaCaseNo', '10) Case number from the Log', 3), date('case.injuryDate', '11) Date of injury or illness', 3),
                            time(S + 'timeBeganWork', '12) Time employee began work', 3), time('case.injuryTime', '13) Time of event', 3)] },
                    { row: [box(S + 'timeUndetermined', 'Check if time cannot be determined', 6)] },
                    { row: [area(S + 'doingBefore', '14) What was the employee doing just before the incident occurred? Describe the activity, as well as the tools, equipment, or material the employee was using. Be specific.', 12)] },
                    { row: [area('case.description', '15) What happened? Tell us how the injury occurred.', 12)] },
                    { row: [area(S + 'injury', '16) What was the injury or illness? Tell us the part of the body that was affected and how it was affected; be more specific than \u201churt,\u201d \u201cpain,\u201d or \u201csore.\u201d', 12)] },
                    { row: [area(S + 'object', '17) What object or substance directly harmed the employee? (If this question does not apply to the incident, leave it blank.)', 12)] },
                    { row: [date(S + 'deathDate', '18) If the employee died, when did death occur? Date of death', 4)] }
                ]
            },
            {
                id: 'recordkeeping', title: 'Recordkeeping (not printed)', screenOnly: true,
                note: 'For the OSHA 300 Log; kept with the record and not printed on the Form 301.',
                blocks: [
                    { row: [box(S + 'privacyCase', 'Privacy case: enter \u201cprivacy case\u201d instead of the name on the 300 Log', 6),
                            date(S + 'learnedDate', 'Date the employer learned of the case', 3)] },
                    { row: [date(S + 'awayFrom', 'Days away from work: from', 3), date(S + 'awayTo', 'to', 3),
                            number(S + 'daysAway', 'Days away (Log column K)', 2),
                            b.computed('Counted from the dates', 4, function (get) { return dayCount(get, 'away'); })] },
                    { row: [date(S + 'restrictedFrom', 'Job transfer or restriction: from', 3), date(S + 'restrictedTo', 'to', 3),
                            number(S + 'daysRestricted', 'Days restricted (Log column L)', 2),
                            b.computed('Counted from the dates', 4, function (get) { return dayCount(get, 'restricted'); })] }
                ]
            }
        ]
    });

    function dayCount(get, kind) {
        const counts = K.rulesWorkplace.oshaDayCounts({
            injuryDate: get('case.injuryDate'), awayFrom: get(S + 'awayFrom'), awayTo: get(S + 'awayTo'),
            restrictedFrom: get(S + 'restrictedFrom'), restrictedTo: get(S + 'restrictedTo')
        });
        const n = kind === 'away' ? counts.daysAway : counts.daysRestricted;
        return n === null ? '' : n + (n === 1 ? ' day' : ' days') + ' (day of injury not counted; 180 at most)';
    }
})(typeof globalThis !== 'undefined' ? globalThis : this);
