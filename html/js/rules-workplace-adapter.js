// Connects the workplace rules (T, O, L, W, ID) to the record: builds each rule's
// plain input from record fields and maps every finding back to the field it is
// about, so the results list can open the form and focus that field.
(function (root) {
    'use strict';

    const K = root.Kestrova;
    const W = K.rulesWorkplace;

    const DA = 'drug-alcohol.', S = 'osha-301.', Q = 'respirator-questionnaire.', R = 'plhcp-recommendation.';
    const PP = 'pre-placement.', FS = 'visit-face-sheet.', A = 'ca-16.', B = 'ca-17.';

    function reader(record) {
        const get = function (path) { return K.record.getValue(record, path); };
        return {
            get: get,
            str: function (path) { const v = get(path); return typeof v === 'string' ? v : ''; },
            flag: function (path) { return get(path) === true; },
            // A yes/no answer as true / false, or undefined while unanswered.
            answer: function (path) { const v = get(path); return v === 'yes' ? true : v === 'no' ? false : undefined; }
        };
    }

    // Dates typed as a list ("03/04/2025, 2025-03-09"); what is not a date is left out.
    function dateList(text) {
        return String(text || '').split(/[,;\s]+/).map(function (s) {
            const us = /^(\d{1,2})\/(\d{1,2})\/(\d{4})$/.exec(s);
            const iso = us ? us[3] + '-' + us[1].padStart(2, '0') + '-' + us[2].padStart(2, '0') : s;
            return K.dates.isValid(iso) ? iso : '';
        }).filter(Boolean);
    }

    // Runs a rule and points each finding at a record path: `fields` maps the rule's
    // field names to paths, or is a function of the field name.
    function run(rule, input, fields, forms) {
        return rule(input).map(function (f) {
            const out = Object.assign({}, f);
            const path = typeof fields === 'function' ? fields(f.field) : fields[f.field];
            out.field = path || '';
            out.forms = forms;
            return out;
        });
    }

    function today() {
        return K.dates.today();
    }

    // ---- drug and alcohol testing --------------------------------------------

    function drugAlcohol(record) {
        const r = reader(record);
        const forms = ['drug-alcohol'];
        const authority = r.str(DA + 'authority');
        const alcohol = { authority: authority, screenResult: r.str(DA + 'screenResult'), screenTime: r.str(DA + 'screenTime'),
                          confirmationResult: r.str(DA + 'confirmResult'), confirmationTime: r.str(DA + 'confirmTime') };
        const fields = { volumeMl: DA + 'volumeMl', temperature: DA + 'temperature', temperatureInRange: DA + 'temperatureInRange',
                         temperatureReadMinutes: DA + 'temperatureMinutes', screenResult: DA + 'screenResult',
                         confirmationResult: DA + 'confirmResult', confirmationTime: DA + 'confirmTime' };
        return [].concat(
            run(W.T1, { authority: authority, volumeMl: r.str(DA + 'volumeMl'), temperature: r.str(DA + 'temperature'),
                        temperatureUnit: r.str(DA + 'temperatureUnit'), temperatureInRange: r.answer(DA + 'temperatureInRange'),
                        temperatureReadMinutes: r.str(DA + 'temperatureMinutes') }, fields, forms),
            run(W.T2, alcohol, fields, forms),
            run(W.T3, alcohol, fields, forms));
    }

    // ---- OSHA ------------------------------------------------------------------

    const NARRATIVES = { doingBefore: S + 'doingBefore', description: 'case.description', injury: S + 'injury', object: S + 'object' };

    function osha301(record) {
        const r = reader(record);
        const forms = ['osha-301'];
        const narratives = {};
        Object.keys(NARRATIVES).forEach(function (k) { narratives[k] = r.str(NARRATIVES[k]); });
        const dayFields = { awayFrom: S + 'awayFrom', awayTo: S + 'awayTo', restrictedFrom: S + 'restrictedFrom',
                            restrictedTo: S + 'restrictedTo', daysAway: S + 'daysAway', daysRestricted: S + 'daysRestricted' };
        const days = { injuryDate: r.str('case.injuryDate') };
        Object.keys(dayFields).forEach(function (k) { days[k] = r.str(dayFields[k]); });
        return [].concat(
            run(W.O1, { learnedDate: r.str(S + 'learnedDate'), completedDate: r.str(S + 'completedDate'), asOf: today() },
                { completedDate: S + 'completedDate' }, forms),
            run(W.O2, days, dayFields, forms),
            run(W.O3, { privacyCase: r.flag(S + 'privacyCase'),
                        employeeName: [r.str('patient.firstName'), r.str('patient.lastName')].join(' ').trim(),
                        narratives: narratives },
                Object.assign({ privacyCase: S + 'privacyCase' }, NARRATIVES), forms));
    }

    const FREQUENCIES = [500, 1000, 2000, 3000, 4000, 6000];

    function audiogram(r, prefix) {
        const out = { right: {}, left: {} };
        FREQUENCIES.forEach(function (f) {
            out.right[f] = r.str(prefix + f + 'R');
            out.left[f] = r.str(prefix + f + 'L');
        });
        return out;
    }

    function hearing(record) {
        const r = reader(record);
        return run(W.O4, { baseline: audiogram(r, PP + 'base'), current: audiogram(r, 'visit.aud') },
            { right: 'visit.aud2000R', left: 'visit.aud2000L' }, ['pre-placement']);
    }

    // Section 1 item -> record path.
    const SECTION1 = {
        1: 'visit.examDate', 2: 'patient.lastName', 3: 'patient.dob', 4: 'patient.sex', 5: 'visit.heightFt', 6: 'visit.weight',
        7: 'employer.jobTitle', 8: 'patient.phone', 9: Q + 'bestTime', 10: Q + 'toldHowToContact', 11: Q + 'typeDisposable',
        12: Q + 'wornBefore'
    };
    const TYPES = ['typeDisposable', 'typeHalf', 'typeFull', 'typePapr', 'typeSupplied', 'typeScba'];

    function respirator(record) {
        const r = reader(record);
        const forms = ['respirator-questionnaire', 'plhcp-recommendation'];
        const questionnaire = record.forms.indexOf('respirator-questionnaire') >= 0;
        const recommendation = record.forms.indexOf('plhcp-recommendation') >= 0;
        const input = {
            fullFacepieceOrScba: r.flag(Q + 'typeFull') || r.flag(Q + 'typeScba'),
            asOf: r.str('visit.examDate') || today()
        };
        let section1 = null, section2 = null;
        if (questionnaire) {
            section1 = {};
            Object.keys(SECTION1).forEach(function (k) { section1[k] = r.str(SECTION1[k]); });
            section1['2'] = r.str('patient.lastName') && r.str('patient.firstName') ? r.str('patient.lastName') : '';
            const age = K.dates.ageOn(r.str('patient.dob'), r.str('visit.examDate') || today());
            section1['3'] = Number.isNaN(age) ? '' : String(age);
            // Height may be given in feet, in inches, or both.
            section1['5'] = r.str('visit.heightFt') || r.str('visit.heightIn');
            section1['11'] = TYPES.some(function (t) { return r.flag(Q + t); }) ? 'checked' : '';
            section2 = { '8none': r.flag(Q + 'q8none') };
            W.RESPIRATOR_SECTION2_ITEMS.concat(W.RESPIRATOR_FULL_FACEPIECE_ITEMS).forEach(function (k) { section2[k] = r.str(Q + 'q' + k); });
            input.section1 = section1;
            input.section2 = section2;
        }
        if (recommendation) {
            const status = r.str(R + 'status');
            input.cleared = status === 'cleared' || status === 'limited';
            input.followUpDone = r.flag(R + 'followUpDone');
            input.fitTestDate = r.str(R + 'fitTestDate');
            input.facepieceChanged = r.flag(R + 'facepieceChanged');
            input.physicalConditionChanged = r.flag(R + 'conditionChanged');
        }
        // A finding on a whole section links to its first open item.
        function firstOpen(keys, open) {
            const k = keys.filter(open)[0];
            return k === undefined ? '' : k;
        }
        function path(field) {
            if (field === 'section1') {
                const k = firstOpen(W.RESPIRATOR_SECTION1_ITEMS, function (key) { return !section1[key]; });
                return SECTION1[k || '1'];
            }
            if (field === 'section2') {
                const required = W.RESPIRATOR_SECTION2_ITEMS.concat(input.fullFacepieceOrScba ? W.RESPIRATOR_FULL_FACEPIECE_ITEMS : []);
                const k = firstOpen(required, function (key) {
                    return !(section2['8none'] && /^8[a-e]$/.test(key)) && !/^(yes|no)$/.test(section2[key]);
                });
                return Q + 'q' + (k || '9');
            }
            return { cleared: R + 'status', followUpDone: R + 'followUpDone', fitTestDate: R + 'fitTestDate',
                     facepieceChanged: R + 'facepieceChanged', physicalConditionChanged: R + 'conditionChanged' }[field];
        }
        return run(W.O5, input, path, forms);
    }

    // Retention is asked only when the record is reviewed for disposal.
    function retention(record) {
        const r = reader(record);
        if (!r.flag(FS + 'disposalReview'))
            return [];
        const end = r.str(FS + 'employmentEnd');
        return run(W.O6, { stillEmployed: end === '', employmentEndDate: end, asOf: today(),
                           employedUnderOneYear: r.flag(FS + 'underOneYear'), recordsGivenToEmployee: r.flag(FS + 'recordsGiven') },
            { stillEmployed: FS + 'employmentEnd', employmentEndDate: FS + 'employmentEnd' }, ['visit-face-sheet']);
    }

    // ---- FMLA ------------------------------------------------------------------

    // Part A's category boxes: "inpatient" is ticked in `categoryInpatient`.
    const CATEGORIES = ['inpatient', 'incapacity', 'pregnancy', 'chronic', 'permanent', 'multiple', 'none'];

    function categoryKey(category) {
        return 'category' + category.charAt(0).toUpperCase() + category.slice(1);
    }

    function fmla(formId) {
        return function (record) {
            if (record.forms.indexOf(formId) < 0)
                return [];
            const P = formId + '.';
            const r = reader(record);
            const forms = [formId];
            const texts = { probableDuration: r.str(P + 'probableDuration'), otherFacts: r.str(P + 'otherFacts'),
                            appointmentSchedule: r.str(P + 'appointmentSchedule') };
            const l2 = {
                ranges: [{ field: 'incapacity', from: r.str(P + 'incapacityFrom'), to: r.str(P + 'incapacityTo') },
                         { field: 'continuous', from: r.str(P + 'continuousFrom'), to: r.str(P + 'continuousTo') },
                         { field: 'reduced', from: r.str(P + 'reducedFrom'), to: r.str(P + 'reducedTo') }],
                frequencies: [{ field: 'flare', frequency: r.str(P + 'flareFrequency'), frequencyUnit: r.str(P + 'flareFrequencyUnit'),
                                duration: r.str(P + 'flareDuration'), durationUnit: r.str(P + 'flareDurationUnit') }],
                texts: texts
            };
            const regime = r.str('employer.fmlaRegime');
            return [].concat(
                run(W.L1, { requestDate: r.str(P + 'requestDate'), returnByDate: r.str(P + 'returnByDate') },
                    { returnByDate: P + 'returnByDate' }, forms),
                run(W.L2, l2, { incapacity: P + 'incapacityTo', continuous: P + 'continuousTo', reduced: P + 'reducedTo',
                                flare: P + 'flareFrequency', probableDuration: P + 'probableDuration', otherFacts: P + 'otherFacts',
                                appointmentSchedule: P + 'appointmentSchedule' }, forms),
                run(W.L3, { lastCertificationDate: r.str(P + 'lastCertDate'), requestDate: r.str(P + 'requestDate'),
                            withAbsence: r.answer(P + 'withAbsence'), minimumDurationEnd: r.str(P + 'lastCertDurationEnd'),
                            exception: r.flag(P + 'recertException') },
                    { withAbsence: P + 'withAbsence', requestDate: P + 'requestDate' }, forms),
                run(W.L4, { categories: CATEGORIES.filter(function (c) { return r.flag(P + categoryKey(c)); }),
                            incapacityFrom: r.str(P + 'incapacityFrom'),
                            incapacityTo: r.str(P + 'incapacityTo'), visitDates: dateList(r.str(P + 'visitDates')),
                            regimenOfTreatment: r.flag(P + 'continuingTreatment'), visitsPerYear: r.str(P + 'visitsPerYear') },
                    { incapacityTo: P + 'incapacityTo', visitDates: P + 'visitDates', visitsPerYear: P + 'visitsPerYear',
                      category: P + categoryKey('incapacity') }, forms),
                run(W.L5, { regime: regime === 'title2' ? 'title-ii' : regime === 'dol' ? 'title-i' : '' },
                    { regime: 'employer.fmlaRegime' }, forms));
        };
    }

    // ---- FECA ------------------------------------------------------------------

    function activities(r, group, prefix) {
        const out = {};
        K.forms.builders.ACTIVITIES.forEach(function (a) {
            const key = group + '.' + prefix + a.key.toUpperCase();
            out[a.key] = { hours: r.str(key + 'Hours'), limit: r.str(key + 'Limit') };
        });
        return out;
    }

    function activityPath(group, prefix, fallback) {
        return function (field) {
            const m = /^activities\.([a-t])$/.exec(field || '');
            return m ? group + '.' + prefix + m[1].toUpperCase() + 'Hours' : fallback;
        };
    }

    function ca16(record) {
        const r = reader(record);
        const forms = ['ca-16'];
        const treatment = dateList(r.str(A + 'treatmentDates'));
        if (r.str('visit.examDate'))
            treatment.push(r.str('visit.examDate'));
        return [].concat(
            run(W.W1, { injuryDate: r.str('case.injuryDate'), injuryTime: r.str('case.injuryTime'),
                        issuedDate: r.str(A + 'issuedDate'), issuedTime: r.str(A + 'issuedTime'),
                        verbalDate: r.str(A + 'verbalDate'), verbalTime: r.str(A + 'verbalTime'),
                        occupationalDisease: r.flag(A + 'occupationalDisease'), owcpPermission: r.flag(A + 'owcpPermission') },
                { issuedDate: A + 'issuedDate', verbalDate: A + 'verbalDate', owcpPermission: A + 'owcpPermission' }, forms),
            run(W.W2, { injuryDate: r.str('case.injuryDate'), treatmentDates: treatment, surgery: r.flag(A + 'surgery'),
                        emergency: r.flag(A + 'emergency'), owcpApproval: r.flag(A + 'owcpApproval') },
                { treatmentDates: A + 'treatmentDates', surgery: A + 'surgery' }, forms));
    }

    function ca17(record) {
        const r = reader(record);
        const forms = ['ca-17'];
        const usualHours = r.str('employer.hoursPerDay');
        return [].concat(
            run(W.W3, { ableToPerformRegularWork: r.answer(B + 'ableRegular'), hoursPerDay: r.str(B + 'hoursAllowed') || usualHours,
                        activities: activities(r, 'visit', 'res'), restrictionsText: r.str('visit.restrictions') },
                activityPath('visit', 'res', 'visit.resAHours'), forms),
            run(W.W3, { hoursPerDay: usualHours, activities: activities(r, 'employer', 'req') },
                activityPath('employer', 'req', 'employer.reqAHours'), forms));
    }

    function report(record) {
        const r = reader(record);
        const forms = ['ca-20', 'ca-16'];
        const fields = {};
        ['diagnosis', 'icdCodes', 'causationExplanation', 'limitations', 'returnDate'].forEach(function (k) { fields[k] = 'case.' + k; });
        return run(W.W4, { diagnosis: r.str('case.diagnosis'), icdCodes: r.str('case.icdCodes'), causation: r.str('case.causation'),
                           causationExplanation: r.str('case.causationExplanation'), disability: r.str('case.disability'),
                           limitations: r.str('case.limitations'), disabilityFrom: r.str('case.disabilityFrom'),
                           returnDate: r.str('case.returnDate') }, fields, forms);
    }

    function signer(record) {
        const r = reader(record);
        return run(W.W5, { signerCredential: r.str('provider.credential'), signerOccupation: r.str('provider.occupation'),
                           cosignedByPhysician: r.flag('case.physicianCosigned') },
            { signerCredential: 'provider.credential', signerOccupation: 'provider.occupation' }, ['ca-20', 'ca-16', 'ca-17']);
    }

    function identifiers(record) {
        const r = reader(record);
        return run(W.ID1, { npi: r.str('provider.npi'), groupNpi: r.str('clinic.npi'), ssn: r.str('patient.ssn') },
            { npi: 'provider.npi', groupNpi: 'clinic.npi', ssn: 'patient.ssn' }, ['visit-face-sheet', 'ca-16', 'ca-17', 'ca-20']);
    }

    const VALIDATORS = [
        { id: 'drug-alcohol', forms: ['drug-alcohol'], validate: drugAlcohol },
        { id: 'osha-301', forms: ['osha-301'], validate: osha301 },
        { id: 'hearing', forms: ['pre-placement'], validate: hearing },
        { id: 'respirator', forms: ['respirator-questionnaire', 'plhcp-recommendation'], validate: respirator },
        { id: 'retention', forms: ['visit-face-sheet'], validate: retention },
        { id: 'wh-380-e', forms: ['wh-380-e'], validate: fmla('wh-380-e') },
        { id: 'wh-380-f', forms: ['wh-380-f'], validate: fmla('wh-380-f') },
        { id: 'ca-16', forms: ['ca-16'], validate: ca16 },
        { id: 'ca-17', forms: ['ca-17'], validate: ca17 },
        { id: 'feca-report', forms: ['ca-16', 'ca-20'], validate: report },
        { id: 'feca-signer', forms: ['ca-16', 'ca-17', 'ca-20'], validate: signer },
        { id: 'identifiers', forms: K.forms.PACKET_ORDER, validate: identifiers }
    ];
    VALIDATORS.forEach(function (v) { K.forms.registerValidator(v); });

    root.Kestrova.rulesWorkplaceAdapter = { dateList: dateList, VALIDATORS: VALIDATORS };
})(typeof globalThis !== 'undefined' ? globalThis : this);
