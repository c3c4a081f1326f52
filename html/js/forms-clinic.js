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
    const STATES = ['', 'AL', 'AK', 'AZ', 'AR', 'CA', 'CO', 'CT', 'DE', 'DC', 'FL', 'GA', 'HI', 'ID', 'IL', 'IN', 'IA', 'KS',
        'KY', 'LA', 'ME', 'MD', 'MA', 'MI', 'MN', 'MS', 'MO', 'MT', 'NE', 'NV', 'NH', 'NJ', 'NM', 'NY', 'NC', 'ND', 'OH',
        'OK', 'OR', 'PA', 'RI', 'SC', 'SD', 'TN', 'TX', 'UT', 'VT', 'VA', 'WA', 'WV', 'WI', 'WY', 'AS', 'GU', 'MP', 'PR',
        'VI'].map(function (s) { return [s, s === '' ? '\u2014' : s]; });

    function address(group, label) {
        return { row: [text(group + '.street', label || 'Street address', 5), text(group + '.city', 'City', 3),
                       select(group + '.state', 'State', STATES, 2), text(group + '.zip', 'ZIP code', 2)] };
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
                            select('patient.licenseState', 'Issuing state', STATES, 2)] }
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
            }
        ]
    });
})(typeof globalThis !== 'undefined' ? globalThis : this);
