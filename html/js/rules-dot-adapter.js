// Connects the DOT rules to the record: builds the rules' plain input from record
// fields and maps each finding back to the field it is about.
(function (root) {
    'use strict';

    const K = root.Kestrova;
    const F = 'mcsa-5875.';
    const C = 'mcsa-5876.';

    // Input key of the rules -> record path (the field a finding links to).
    const FIELDS = {
        examDate: 'visit.examDate', expiryDate: F + 'expiryDate', determination: F + 'determination',
        period: F + 'period', periodOther: F + 'periodOther', followUpDate: F + 'followUpDate', dob: 'patient.dob',
        stateDetermination: F + 'stateDetermination', stateExpiryDate: F + 'stateExpiryDate',
        statePeriod: F + 'statePeriod', statePeriodOther: F + 'statePeriodOther', stateFollowUpDate: F + 'stateFollowUpDate',
        amended: F + 'amended', amendedReason: F + 'amendedReason', amendedDate: F + 'amendedDate', amendedSigned: F + 'amendedSigned',
        nrNumber: 'provider.nrNumber', nrDate: 'provider.nrDate', reported: F + 'reported', box39164: F + 'cond39164',
        'bp.sys': 'visit.bpSys', 'bp.dia': 'visit.bpDia', 'bp.sys2': 'visit.bpSys2', 'bp.dia2': 'visit.bpDia2',
        'vision.rightUnc': 'visit.visRightUnc', 'vision.leftUnc': 'visit.visLeftUnc', 'vision.bothUnc': 'visit.visBothUnc',
        'vision.rightCor': 'visit.visRightCor', 'vision.leftCor': 'visit.visLeftCor', 'vision.bothCor': 'visit.visBothCor',
        'vision.fieldRight': 'visit.visFieldRight', 'vision.fieldLeft': 'visit.visFieldLeft', 'vision.color': 'visit.visColor',
        'vision.lenses': F + 'condLenses', 'vision.form5871Date': F + 'form5871Date',
        'hearing.whisperRight': 'visit.whisperRight', 'hearing.r500': 'visit.aud500R', 'hearing.hearingAidBox': F + 'condHearingAid',
        'insulin.form5870Date': F + 'form5870Date',
        'certificate.basis': C + 'basis', 'certificate.driverName': 'patient.lastName', 'certificate.driverLicense': 'patient.licenseNumber',
        'certificate.driverLicenseState': 'patient.licenseState', 'certificate.driverAddress': 'patient.street',
        'certificate.driverDob': 'patient.dob', 'certificate.driverCdl': 'patient.cdl',
        'certificate.driverSigned': F + 'driverSigned', 'certificate.examinerName': 'provider.name',
        'certificate.examinerPhone': 'provider.phone', 'certificate.examinerOccupation': 'provider.occupation',
        'certificate.examinerLicense': 'provider.licenseNumber', 'certificate.examinerLicenseState': 'provider.licenseState',
        'certificate.examinerNrNumber': 'provider.nrNumber', 'certificate.examinerSigned': C + 'examinerSigned',
        'certificate.certificateDate': C + 'signedDate'
    };

    function input(get) {
        function str(path) {
            const v = get(path);
            return typeof v === 'string' ? v : '';
        }
        function flag(path) {
            return get(path) === true;
        }
        const address = [str('patient.street'), str('patient.city'), str('patient.state')].every(function (s) { return s.trim() !== ''; })
            ? str('patient.street') : '';
        const name = str('patient.lastName').trim() && str('patient.firstName').trim() ? str('patient.lastName') : '';
        return {
            examDate: str('visit.examDate'),
            dob: str('patient.dob'),
            today: K.dates.today(),
            intrastateOnly: flag(C + 'intrastateOnly'),
            determination: str(F + 'determination'),
            period: str(F + 'period'),
            periodOtherMonths: str(F + 'periodOther'),
            followUpDate: str(F + 'followUpDate'),
            expiryDate: str(F + 'expiryDate'),
            stateDetermination: str(F + 'stateDetermination'),
            stateExpiryDate: str(F + 'stateExpiryDate'),
            statePeriod: str(F + 'statePeriod'),
            statePeriodOtherMonths: str(F + 'statePeriodOther'),
            stateFollowUpDate: str(F + 'stateFollowUpDate'),
            amendment: { amended: flag(F + 'amended'), reason: str(F + 'amendedReason'), date: str(F + 'amendedDate'),
                         signed: flag(F + 'amendedSigned') },
            bp: { sys: str('visit.bpSys'), dia: str('visit.bpDia'), sys2: str('visit.bpSys2'), dia2: str('visit.bpDia2'),
                  treated: flag('visit.bpTreated') },
            vision: {
                rightUnc: str('visit.visRightUnc'), leftUnc: str('visit.visLeftUnc'), bothUnc: str('visit.visBothUnc'),
                rightCor: str('visit.visRightCor'), leftCor: str('visit.visLeftCor'), bothCor: str('visit.visBothCor'),
                fieldRight: str('visit.visFieldRight'), fieldLeft: str('visit.visFieldLeft'), color: str('visit.visColor'),
                lenses: flag(F + 'condLenses'), altStandard: flag(F + 'altVision'), form5871Date: str(F + 'form5871Date')
            },
            hearing: {
                aid: str('visit.hearAid'), whisperRight: str('visit.whisperRight'), whisperLeft: str('visit.whisperLeft'),
                r500: str('visit.aud500R'), r1000: str('visit.aud1000R'), r2000: str('visit.aud2000R'),
                l500: str('visit.aud500L'), l1000: str('visit.aud1000L'), l2000: str('visit.aud2000L'),
                hearingAidBox: flag(F + 'condHearingAid')
            },
            insulin: { treated: flag('visit.insulinTreated') || str(F + 'hhInsulin') === 'yes', form5870Date: str(F + 'form5870Date') },
            certificate: {
                basis: str(C + 'basis'), driverName: name, driverLicense: str('patient.licenseNumber'), driverLicenseState: str('patient.licenseState'),
                driverAddress: address, driverDob: str('patient.dob'), driverCdl: str('patient.cdl'),
                driverSigned: flag(F + 'driverSigned'), examinerName: str('provider.name'), examinerPhone: str('provider.phone'),
                examinerOccupation: str('provider.occupation') === 'other' ? str('provider.occupationOther') : str('provider.occupation'),
                examinerLicense: str('provider.licenseNumber'), examinerLicenseState: str('provider.licenseState'),
                examinerNrNumber: str('provider.nrNumber'), examinerSigned: flag(C + 'examinerSigned'),
                certificateDate: str(C + 'signedDate')
            },
            nrNumber: str('provider.nrNumber'),
            nrDate: str('provider.nrDate'),
            reported: flag(F + 'reported'),
            box39164: flag(F + 'cond39164')
        };
    }

    function validate(record) {
        const get = function (path) { return K.record.getValue(record, path); };
        const values = input(get);
        values.withCertificate = record.forms.indexOf('mcsa-5876') >= 0;
        return K.rulesDot.validate(values).map(function (f) {
            const out = Object.assign({}, f);
            out.field = FIELDS[f.field] || '';
            out.forms = ['mcsa-5875', 'mcsa-5876'];
            return out;
        });
    }

    const api = { input: input, validate: validate, FIELDS: FIELDS };
    root.Kestrova.rulesDotAdapter = api;
    K.forms.registerValidator({ id: 'dot', forms: ['mcsa-5875', 'mcsa-5876'], validate: validate });
})(typeof globalThis !== 'undefined' ? globalThis : this);
