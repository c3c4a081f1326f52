// OWCP/FECA forms of the DOL Office of Workers' Compensation Programs. The CA-16 may
// not be reproduced: its Part A is issued by the employing agency, and the clinic
// prints its Part B answers on a continuation sheet that quotes the item numbers.
(function (root) {
    'use strict';

    const K = root.Kestrova;
    const forms = K.forms;
    const b = forms.builders;
    const text = b.text, date = b.date, time = b.time, number = b.number, area = b.area, box = b.box, radio = b.radio,
        opts = b.opts, YES_NO = b.YES_NO;

    const AGENCY = 'U.S. Department of Labor \u2014 Office of Workers\u2019 Compensation Programs';

    function identification() {
        return {
            id: 'identification', title: 'Employee and claim',
            blocks: [
                { row: [text('patient.lastName', 'Employee\u2019s last name', 3), text('patient.firstName', 'First name', 3),
                        text('patient.middleInitial', 'M.I.', 1), text('patient.ssn', 'Social Security number', 2, { maxLength: 11 }),
                        date('case.injuryDate', 'Date of injury', 3)] },
                { row: [text('case.owcpFileNo', 'OWCP file number', 3), text('employer.federalAgency', 'Employing agency', 5),
                        text('employer.jobTitle', 'Occupation', 4)] }
            ]
        };
    }

    // The physician block that closes each report; the credential feeds the
    // "physician" check of FECA.
    function physician(signedPath, dateLabel, item) {
        const n = item ? item + '. ' : '';
        return {
            id: 'physician', title: 'Physician',
            blocks: [
                { row: [text('provider.name', n + 'Name of physician', 4), text('provider.credential', 'Credential', 2),
                        text('provider.specialty', 'Specialty', 3), text('provider.npi', 'NPI', 3, { inputmode: 'numeric', maxLength: 10 })] },
                { row: [text('clinic.facilityText', 'Address', 6), text('clinic.ein', 'Tax ID (EIN)', 3), b.tel('provider.phone', 'Phone', 3)] },
                { row: [box(signedPath + 'Signed', 'Signed by the physician', 3), date(signedPath + 'SignedDate', dateLabel, 3),
                        box('case.physicianCosigned', 'Report co-signed by a physician (for an NP or PA signer)', 6)] }
            ]
        };
    }

    const A = 'ca-16.';
    forms.register({
        id: 'ca-16',
        family: 'owcp',
        code: 'CA-16 Part B',
        title: 'Attending Physician\u2019s Report \u2014 Continuation Sheet',
        shortTitle: 'CA-16 Part B (continuation)',
        agency: AGENCY,
        omb: 'Answers to Form CA-16 (OMB No. 1240-0046), Part B',
        revision: 'Attach to the CA-16 issued by the employing agency',
        includedByDefault: false,
        banner: 'The CA-16 itself is not reproduced. This sheet gives the attending physician\u2019s answers to Part B by item number.',
        sections: [
            identification(),
            {
                id: 'partA', title: 'Part A as issued by the employing agency (not printed)', screenOnly: true,
                note: 'Copied from the agency\u2019s CA-16 to check the authorization; the CA-16 itself travels with this sheet.',
                blocks: [
                    { row: [time('case.injuryTime', 'Time of injury', 2), date(A + 'issuedDate', 'CA-16 issued on', 3), time(A + 'issuedTime', 'at', 2),
                            date(A + 'verbalDate', 'Verbal authorization on', 3), time(A + 'verbalTime', 'at', 2)] },
                    { row: [radio(A + 'authorization', 'Authorization', opts([['b1', 'B1: treatment authorized'],
                        ['b2', 'B2: doubt whether the condition is work related; treatment authorized']]), 8),
                            box(A + 'occupationalDisease', 'Occupational disease', 2), box(A + 'owcpPermission', 'OWCP gave prior permission', 2)] },
                    { row: [area('case.description', 'Description of injury or disease (Part A)', 12)] }
                ]
            },
            {
                id: 'history', title: 'History and findings',
                blocks: [
                    { row: [radio(A + 'historyMatches', 'Item 14. Does the history of injury given by the employee correspond to that in Part A?', YES_NO, 6),
                            area(A + 'historyGiven', 'If not, the employee\u2019s account', 6)] },
                    { row: [radio(A + 'preexisting', 'Item 15. Any history or evidence of concurrent or pre-existing injury, disease or physical impairment?', YES_NO, 6),
                            area(A + 'preexistingText', 'If yes, describe', 6)] },
                    { row: [area('case.findings', 'Item 16. Clinical findings (include results of x-rays, laboratory tests)', 12)] },
                    { row: [area('case.diagnosis', 'Item 17. Diagnosis', 8), text('case.icdCodes', 'ICD-10-CM code(s)', 4)] },
                    { row: [radio('case.causation', 'Item 18. Do you believe the condition found was caused or aggravated by the employment activity described?', YES_NO, 6),
                            area('case.causationExplanation', 'Please explain your answer', 6)] }
                ]
            },
            {
                id: 'treatment', title: 'Treatment',
                blocks: [
                    { row: [radio(A + 'hospitalized', 'Item 19. Did the injury require hospitalization?', YES_NO, 5),
                            date(A + 'admitted', 'Date of admission', 3), date(A + 'discharged', 'Date of discharge', 4)] },
                    { row: [area(A + 'treatmentType', 'Item 20. Type of treatment', 12)] },
                    { row: [box(A + 'surgery', 'Item 21. Surgery performed', 3), box(A + 'emergency', 'Emergency surgery', 3),
                            box(A + 'owcpApproval', 'OWCP approved the surgery', 6)] },
                    { row: [date('case.firstExamDate', 'Item 22. Date of first examination', 3),
                            text(A + 'treatmentDates', 'Item 23. Date(s) of treatment', 6, { hint: 'Dates as mm/dd/yyyy, separated by commas' }),
                            date(A + 'dischargedTreatment', 'Item 24. Discharged from treatment', 3)] }
                ]
            },
            {
                id: 'disability', title: 'Disability and return to work',
                blocks: [
                    { row: [radio('case.disability', 'Item 25. Period of disability', opts([['total', 'Total'], ['partial', 'Partial'], ['none', 'None']]), 6),
                            date('case.disabilityFrom', 'From', 3), date('case.disabilityTo', 'To', 3)] },
                    { row: [date('case.returnLightDate', 'Item 26. Date able to resume light work', 4),
                            date('case.returnDate', 'Item 27. Date able to resume regular work', 4)] },
                    { row: [area('case.limitations', 'Item 28. Work limitations', 12)] },
                    { row: [text(A + 'referredTo', 'Item 29. Referred to another physician (name, specialty)', 12)] }
                ]
            },
            physician(A + 'physician', 'Item 35. Date signed', '30\u201334')
        ]
    });

    const B = 'ca-17.';
    forms.register({
        id: 'ca-17',
        family: 'owcp',
        code: 'CA-17',
        title: 'Duty Status Report',
        shortTitle: 'Duty Status Report',
        agency: AGENCY,
        omb: 'OMB No. 1240-0046',
        revision: 'Form CA-17',
        includedByDefault: false,
        sections: [
            {
                id: 'sideA', title: 'Side A: Supervisor (items 1\u20137)',
                note: 'The employing agency completes Side A; the usual work requirements are kept with the employer\u2019s job profile.',
                blocks: [
                    { row: [text('patient.lastName', '1. Employee\u2019s name: last', 3), text('patient.firstName', 'First', 3),
                            date('case.injuryDate', '2. Date of injury', 3), text('patient.ssn', '3. Social Security number', 3, { maxLength: 11 })] },
                    { row: [text('employer.jobTitle', '4. Occupation', 6), text('case.owcpFileNo', 'OWCP file number', 6)] },
                    { row: [area('case.description', '5. Describe how the injury occurred and the parts of the body affected', 12)] },
                    { row: [number('employer.hoursPerDay', '6. Usual work: hours per day', 3, { unit: 'h' }),
                            number('employer.daysPerWeek', 'Days per week', 3),
                            text(B + 'supervisor', 'Supervisor completing Side A', 6)] }
                ]
            },
            {
                id: 'sideAGrid', title: 'Side A: 7. Usual work requirements',
                blocks: [b.activityTable('Usual work requirements, continuously or intermittently', 'employer', 'req')]
            },
            {
                id: 'sideB', title: 'Side B: Physician (items 8\u201315)',
                newPage: true,
                blocks: [
                    { row: [radio(B + 'historyMatches', '8. Does the history of injury given by the employee correspond to that in item 5?', YES_NO, 7),
                            date('visit.examDate', 'Date of examination', 3)] },
                    { row: [area('case.findings', '9. Clinical findings', 6), area('case.diagnosis', '10. Diagnosis due to injury', 4),
                            text('case.icdCodes', 'ICD-10-CM', 2)] },
                    { row: [area(B + 'otherConditions', '11. Other disabling conditions', 12)] },
                    { row: [radio(B + 'advisedResume', '12. Employee advised can resume work?', YES_NO, 5),
                            date(B + 'resumeDate', 'If yes, date advised / resume', 3), number(B + 'hoursAllowed', 'Hours per day the employee may work', 4, { unit: 'h' })] },
                    { row: [radio(B + 'ableRegular', '13. Is the employee able to perform regular work described on Side A?', YES_NO, 7),
                            radio(B + 'neuroEffect', '14. Does the condition have a neuropsychiatric effect?', YES_NO, 5)] }
                ]
            },
            {
                id: 'sideBGrid', title: 'Side B: 15. Restrictions (if not able to perform regular work)',
                blocks: [
                    b.activityTable('Hours per day the employee can do each activity', 'visit', 'res'),
                    { row: [area('visit.restrictions', 'Other restrictions', 8), date('visit.nextAppointment', 'Date of next appointment', 4)] }
                ]
            },
            physician(B + 'physician', 'Date signed')
        ]
    });

    const C = 'ca-20.';
    forms.register({
        id: 'ca-20',
        family: 'owcp',
        code: 'CA-20',
        title: 'Attending Physician\u2019s Report',
        shortTitle: 'Attending Physician\u2019s Report',
        agency: AGENCY,
        omb: 'OMB No. 1240-0046',
        revision: 'Form CA-20',
        includedByDefault: false,
        sections: [
            identification(),
            {
                id: 'history', title: 'History and examination',
                blocks: [
                    { row: [date('case.firstExamDate', '1. Date of first examination', 4), date('visit.examDate', '2. Date of this examination', 4)] },
                    { row: [area('case.description', '3. History of injury or disease given by the employee (how the injury occurred)', 12)] },
                    { row: [area('case.findings', '4. Objective findings (including x-rays and laboratory tests)', 12)] },
                    { row: [area('case.diagnosis', '5. Diagnosis (\u201cpain\u201d alone is not a diagnosis)', 8), text('case.icdCodes', '6. ICD-10-CM code(s)', 4)] },
                    { row: [radio('case.causation', '7. Do you believe the condition found was caused or aggravated by the employment activity? (Give medical reasoning)', YES_NO, 5),
                            area('case.causationExplanation', 'Explanation', 7)] }
                ]
            },
            {
                id: 'disability', title: 'Disability',
                blocks: [
                    { row: [radio('case.disability', '8. Period of disability', opts([['total', 'Total'], ['partial', 'Partial'], ['none', 'None']]), 6),
                            date('case.disabilityFrom', 'From', 3), date('case.disabilityTo', 'To', 3)] },
                    { row: [date('case.returnLightDate', '9. Date able to resume light work', 4), date('case.returnDate', '10. Date able to resume regular work', 4)] },
                    { row: [area('case.limitations', '11. Work limitations', 12)] },
                    { row: [area(C + 'remarks', '12. Remarks', 12)] }
                ]
            },
            physician(C + 'physician', 'Date signed', '13')
        ]
    });
})(typeof globalThis !== 'undefined' ? globalThis : this);
