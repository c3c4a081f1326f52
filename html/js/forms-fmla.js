// FMLA certifications of the DOL Wage and Hour Division: WH-380-E (the employee's
// own serious health condition) and WH-380-F (a family member's). On the WH-380-F
// the clinic's patient is the family member; the employee is named on the form.
(function (root) {
    'use strict';

    const K = root.Kestrova;
    const forms = K.forms;
    const b = forms.builders;
    const text = b.text, date = b.date, number = b.number, area = b.area, box = b.box, radio = b.radio,
        select = b.select, opts = b.opts, YES_NO = b.YES_NO;

    const BANNER = 'Do not send completed form to the Department of Labor. Return to the patient.';

    // Employer's part, the same on both forms.
    function employerSection(P, title) {
        return {
            id: 'employer', title: title,
            note: 'The employer must give the employee at least 15 calendar days to return this certification (29 CFR 825.305(b)).',
            blocks: [
                { row: [text('employer.name', 'Employer name', 5), text('employer.hrContact', 'Employer contact', 4),
                        b.tel('employer.phone', 'Phone', 3)] },
                { row: [date(P + 'requestDate', 'Date the certification was requested', 4),
                        date(P + 'returnByDate', 'The employee must return this certification by', 4)] }
            ]
        };
    }

    function recertSection(P) {
        return {
            id: 'recertification', title: 'Recertification (not printed)', screenOnly: true,
            note: 'Filled in when the employer asks for a recertification of an earlier certification.',
            blocks: [
                { row: [date(P + 'lastCertDate', 'Date of the last certification', 3),
                        date(P + 'lastCertDurationEnd', 'Minimum duration certified then ends on', 3),
                        radio(P + 'withAbsence', 'Requested in connection with an absence', YES_NO, 3),
                        box(P + 'recertException', 'Extension asked for, circumstances changed, or doubt about the certification', 3)] }
            ]
        };
    }

    // Part A's categories, each a box of its own (`categoryInpatient`, ...): more than
    // one may apply, e.g. an inpatient stay for a chronic condition.
    const CATEGORIES = [
        ['inpatient', 'Inpatient Care: the patient (will be/was) admitted for an overnight stay in a hospital, hospice, or residential medical care facility'],
        ['incapacity', 'Incapacity plus Treatment (e.g., outpatient surgery, strep throat): due to the condition, the patient (was/will be) incapacitated for more than three consecutive, full calendar days'],
        ['pregnancy', 'Pregnancy: the condition is pregnancy (expected delivery date below)'],
        ['chronic', 'Chronic Conditions (e.g., asthma, migraine headaches): due to the condition, it is medically necessary for the patient to have treatment visits at least twice per year'],
        ['permanent', 'Permanent or Long Term Conditions (e.g., Alzheimer\u2019s, terminal stages of cancer): due to the condition, incapacity is permanent or long term and requires the continuing supervision of a health care provider (even if active treatment is not being provided)'],
        ['multiple', 'Conditions requiring Multiple Treatments (e.g., chemotherapy treatments, restorative surgery): due to the condition, it is medically necessary for the patient to receive multiple treatments'],
        ['none', 'None of the above: if none of the above condition(s) were checked, no additional information is needed']
    ];

    function categoryKey(value) {
        return 'category' + value.charAt(0).toUpperCase() + value.slice(1);
    }

    // Records saved before the boxes hold the one category chosen in `category`.
    function upgradeCategory(group) {
        const old = group.category;
        if (typeof old !== 'string' || !CATEGORIES.some(function (c) { return c[0] === old; }))
            return;
        group[categoryKey(old)] = true;
        delete group.category;
    }

    // Part A of the provider's section; `who` is "patient" on both forms.
    function medicalFacts(P) {
        return {
            id: 'partA', title: 'Part A: Medical information',
            note: 'Limit your response to the condition for which the patient needs leave. Do not provide information about genetic tests, as defined in 29 CFR 1635.3(f), or genetic services, as defined in 29 CFR 1635.3(e).',
            blocks: [
                { row: [date(P + 'conditionBegan', '1. Approximate date the condition commenced', 4),
                        text(P + 'probableDuration', 'Probable duration of the condition', 8)] },
                { type: 'subheading', text: 'Provide information about the condition. Check the box(es) that apply:' },
                { row: CATEGORIES.map(function (c) { return box(P + categoryKey(c[0]), c[1], 12); }) },
                { row: [date(P + 'admitFrom', 'Inpatient care: admitted on', 3), date(P + 'deliveryDate', 'Expected delivery date', 3),
                        number(P + 'visitsPerYear', 'Chronic: treatment visits per year', 3)] },
                { row: [date(P + 'incapacityFrom', 'Incapacitated from', 3), date(P + 'incapacityTo', 'to', 3),
                        text(P + 'visitDates', 'Seen in person on (dates)', 6, { hint: 'Dates as mm/dd/yyyy, separated by commas' })] },
                { row: [box(P + 'continuingTreatment', 'The condition results in a regimen of continuing treatment under the supervision of the health care provider', 12)] },
                { row: [area(P + 'otherFacts', '2. If needed, briefly describe other appropriate medical facts related to the condition(s) for which leave is sought', 12)] }
            ]
        };
    }

    function leaveSection(P, title, lead) {
        return {
            id: 'partB', title: title,
            note: 'Provide your best estimate of the amount of leave needed. Terms such as \u201clifetime,\u201d \u201cunknown,\u201d or \u201cindeterminate\u201d may not be sufficient to determine FMLA coverage.',
            blocks: [
                { row: [radio(P + 'continuous', '3. ' + lead + ' for a single continuous period of time, including any time for treatment and recovery?', YES_NO, 6),
                        date(P + 'continuousFrom', 'From', 3), date(P + 'continuousTo', 'To', 3)] },
                { row: [radio(P + 'appointments', '4. Follow-up treatment appointments or work on a reduced schedule needed?', YES_NO, 6),
                        text(P + 'appointmentSchedule', 'Treatment schedule and time for each appointment', 6)] },
                { row: [number(P + 'reducedHours', 'Reduced schedule: hours per day', 3), number(P + 'reducedDays', 'days per week', 3),
                        date(P + 'reducedFrom', 'From', 3), date(P + 'reducedTo', 'To', 3)] },
                { row: [radio(P + 'flareUps', '5. Episodic flare-ups periodically preventing the performance of job functions?', YES_NO, 6),
                        text(P + 'flareUpsExplain', 'Why absence during flare-ups is medically necessary', 6)] },
                { type: 'subheading', text: 'Estimated frequency and duration over the next 6 months (e.g., 1 episode every 3 months lasting 1\u20132 days):' },
                { row: [number(P + 'flareFrequency', 'Frequency: times', 3),
                        select(P + 'flareFrequencyUnit', 'per', opts([['', '\u2014'], ['week', 'week'], ['month', 'month']]), 3),
                        number(P + 'flareDuration', 'Duration', 3),
                        select(P + 'flareDurationUnit', 'unit', opts([['', '\u2014'], ['hours', 'hours per episode'], ['days', 'days per episode']]), 3)] }
            ]
        };
    }

    // The provider signs at the end of the last part; a section of its own would
    // print alone on a page.
    function withSignature(section, P) {
        section.blocks = section.blocks.concat([
            { type: 'heading', text: 'Signature of the health care provider' },
            { row: [text('provider.name', 'Health care provider', 5), text('provider.specialty', 'Type of practice / medical specialty', 4),
                    box(P + 'signed', 'Signed', 1), date(P + 'signedDate', 'Date', 2)] }
        ]);
        return section;
    }

    function providerSection(title) {
        return {
            id: 'provider', title: title,
            blocks: [
                { row: [text('provider.name', 'Provider\u2019s name', 5), text('provider.specialty', 'Type of practice / medical specialty', 4),
                        b.tel('provider.phone', 'Telephone', 3)] },
                { row: [text('clinic.name', 'Business name', 4), text('clinic.street', 'Business address', 4),
                        text('clinic.city', 'City', 2), b.select('clinic.state', 'State', b.STATES, 1), text('clinic.zip', 'ZIP', 1)] },
                { row: [b.tel('clinic.fax', 'Fax', 3), b.field('email', 'clinic.email', 'E-mail', 5)] }
            ]
        };
    }

    const E = 'wh-380-e.';
    forms.register({
        id: 'wh-380-e',
        family: 'fmla',
        code: 'WH-380-E',
        title: 'Certification of Health Care Provider for Employee\u2019s Serious Health Condition under the Family and Medical Leave Act',
        shortTitle: 'Employee\u2019s serious health condition',
        agency: 'U.S. Department of Labor \u2014 Wage and Hour Division',
        omb: 'OMB Control Number: 1235-0003',
        revision: 'Form WH-380-E Revised June 2020',
        includedByDefault: false,
        banner: BANNER,
        sections: [
            employerSection(E, 'Section I: For completion by the employer'),
            {
                id: 'employee', title: 'Section I (continued): Employee and job',
                blocks: [
                    { row: [text('patient.firstName', 'Employee name: first', 4), text('patient.middleInitial', 'Middle', 2),
                            text('patient.lastName', 'Last', 6)] },
                    { row: [text('employer.jobTitle', '(2) Employee\u2019s job title', 5), text('employer.schedule', '(3) Regular work schedule', 7)] },
                    { row: [area('employer.essentialFunctions', '(4) Employee\u2019s essential job functions', 9),
                            box(E + 'jobDescription', 'Job description attached', 3)] }
                ]
            },
            recertSection(E),
            providerSection('Section II: For completion by the health care provider'),
            medicalFacts(E),
            leaveSection(E, 'Part B: Amount of leave needed', 'Will the employee be incapacitated'),
            withSignature({
                id: 'partC', title: 'Part C: Essential job functions',
                note: 'If provided, the information in Section I question #4 may help inform this section.',
                blocks: [
                    { row: [radio(E + 'unableToPerform', 'Due to the condition, is the employee unable to perform one or more essential job functions?', YES_NO, 6),
                            area(E + 'functionsUnable', 'Identify at least one job function the employee is unable to perform', 6)] }
                ]
            }, E)
        ]
    });

    const F = 'wh-380-f.';
    forms.register({
        id: 'wh-380-f',
        family: 'fmla',
        code: 'WH-380-F',
        title: 'Certification of Health Care Provider for Family Member\u2019s Serious Health Condition under the Family and Medical Leave Act',
        shortTitle: 'Family member\u2019s serious health condition',
        agency: 'U.S. Department of Labor \u2014 Wage and Hour Division',
        omb: 'OMB Control Number: 1235-0003',
        revision: 'Form WH-380-F Revised June 2020',
        includedByDefault: false,
        banner: BANNER,
        sections: [
            employerSection(F, 'Section I: For completion by the employer'),
            recertSection(F),
            {
                id: 'employee', title: 'Section II: For completion by the employee',
                note: 'The clinic\u2019s patient on this form is the family member.',
                screenNote: true,
                blocks: [
                    { row: [text(F + 'employeeName', 'Your name (employee)', 6), text(F + 'relationship', 'Relationship of the family member to you', 6)] },
                    { row: [text('patient.firstName', 'Name of the family member for whom you will provide care: first', 4),
                            text('patient.middleInitial', 'Middle', 2), text('patient.lastName', 'Last', 6)] },
                    { row: [date('patient.dob', 'If the family member is your son or daughter, date of birth', 5)] },
                    { row: [area(F + 'careProvided', 'Describe the care you will provide to your family member and estimate the leave needed to provide the care', 12)] },
                    { row: [box(F + 'employeeSigned', 'Employee signed', 3), date(F + 'employeeSignedDate', 'Date', 3)] }
                ]
            },
            providerSection('Section III: For completion by the health care provider'),
            medicalFacts(F),
            withSignature(leaveSection(F, 'Part B: Amount of care needed', 'Will the patient be incapacitated and need care'), F)
        ]
    });

    K.record.registerUpgrade('wh-380-e', upgradeCategory);
    K.record.registerUpgrade('wh-380-f', upgradeCategory);
})(typeof globalThis !== 'undefined' ? globalThis : this);
