// A clearly fictitious visit for trying the forms: no real person, numbers from
// reserved or obviously invented ranges (555-01xx telephone numbers, example.com).
(function (root) {
    'use strict';

    const K = root.Kestrova;

    function values() {
        const exam = K.dates.today();
        const v = {
            'patient.lastName': 'TEST', 'patient.firstName': 'Patient', 'patient.middleInitial': 'Q',
            'patient.dob': '1980-01-02', 'patient.sex': 'x', 'patient.street': '100 Example Street',
            'patient.city': 'Testville', 'patient.state': 'TX', 'patient.zip': '75001', 'patient.phone': '555-0100',
            'patient.email': 'test.patient@example.com', 'patient.licenseNumber': 'TEST0000001', 'patient.licenseState': 'TX',
            'patient.cdl': 'yes', 'patient.employeeId': 'TEST-EMP-0001', 'visit.reason': 'dot',
            'employer.name': 'Example Freight Test Co.', 'employer.street': '200 Sample Road', 'employer.city': 'Testville',
            'employer.state': 'TX', 'employer.zip': '75001', 'employer.phone': '555-0110', 'employer.supervisor': 'SAMPLE, Supervisor',
            'employer.der': 'SAMPLE, Designated Employer Rep', 'employer.jobTitle': 'Commercial driver (test)', 'employer.dotCovered': true,
            'employer.hrContact': 'SAMPLE, HR Contact', 'employer.compContact': 'SAMPLE, Claims Contact', 'employer.fmlaRegime': 'dol',
            'employer.schedule': 'Mon\u2013Fri, 10 hours/day', 'employer.noiseTwa': '82',
            'employer.essentialFunctions': 'Drives a tractor-trailer; loads and secures cargo up to 50 lb (test entry).',
            'clinic.name': 'Test Occupational Health Clinic', 'clinic.street': '300 Demo Avenue', 'clinic.city': 'Testville',
            'clinic.state': 'TX', 'clinic.zip': '75001', 'clinic.phone': '555-0120', 'clinic.fax': '555-0121',
            'clinic.email': 'clinic@example.com', 'clinic.ein': '00-0000000', 'clinic.npi': '0000000000',
            'clinic.timeZone': 'America/Chicago', 'clinic.facilityText': 'Test Occupational Health Clinic, 300 Demo Avenue, Testville, TX 75001',
            'provider.name': 'EXAMINER, Test, MD', 'provider.credential': 'MD', 'provider.occupation': 'md',
            'provider.specialty': 'Occupational Medicine', 'provider.licenseNumber': 'TEST-12345', 'provider.licenseState': 'TX',
            'provider.npi': '0000000000', 'provider.licenseExpiry': K.dates.addMonths(exam, 18), 'provider.plhcp': true, 'provider.nrNumber': '1234567890', 'provider.nrDate': K.dates.addMonths(exam, -36),
            'provider.phone': '555-0130', 'provider.street': '300 Demo Avenue', 'provider.city': 'Testville',
            'provider.state': 'TX', 'provider.zip': '75001',
            'visit.examDate': exam, 'visit.idVerifiedBy': 'Driver license (test)', 'visit.pulse': '72', 'visit.pulseRegular': 'yes',
            'visit.heightFt': '5', 'visit.heightIn': '10', 'visit.weight': '180', 'visit.bpSys': '128', 'visit.bpDia': '82',
            'visit.uaSg': '1.015', 'visit.uaProtein': 'Negative', 'visit.uaBlood': 'Negative', 'visit.uaSugar': 'Negative',
            'visit.visRightUnc': '50', 'visit.visLeftUnc': '40', 'visit.visBothUnc': '40',
            'visit.visRightCor': '20', 'visit.visLeftCor': '20', 'visit.visBothCor': '20',
            'visit.visFieldRight': '85', 'visit.visFieldLeft': '85', 'visit.visColor': 'yes', 'visit.visMonocular': 'no',
            'visit.hearAid': 'neither', 'visit.whisperRight': '6', 'visit.whisperLeft': '6',
            'visit.aud500R': '15', 'visit.aud1000R': '15', 'visit.aud2000R': '20',
            'visit.aud500L': '10', 'visit.aud1000L': '15', 'visit.aud2000L': '15',
            'mcsa-5875.medicalRecordNo': 'TEST-MRN-0001', 'mcsa-5875.certDenied': 'no', 'mcsa-5875.surgery': 'yes',
            'mcsa-5875.surgeryText': 'Appendectomy (test entry), no residual effects', 'mcsa-5875.medications': 'no',
            'mcsa-5875.historyComments': 'Test visit: fictitious answers for demonstration only.',
            'mcsa-5875.driverSigned': true, 'mcsa-5875.driverSignedDate': exam,
            'mcsa-5875.historyReview': 'Reviewed with the driver; no concerns (test entry).',
            'mcsa-5875.determination': 'meets2y', 'mcsa-5875.condLenses': true,
            'mcsa-5875.expiryDate': K.dates.addMonths(exam, 24), 'mcsa-5875.examinerSigned': true,
            'mcsa-5876.basis': 'federal', 'mcsa-5876.examinerSigned': true, 'mcsa-5876.signedDate': exam
        };
        ['hhHead', 'hhSeizures', 'hhEye', 'hhEar', 'hhHeart', 'hhPacemaker', 'hhBloodPressure', 'hhCholesterol',
         'hhBreathing', 'hhLung', 'hhKidney', 'hhStomach', 'hhDiabetes', 'hhInsulin', 'hhMental', 'hhFainting',
         'hhDizziness', 'hhWeightLoss', 'hhStroke', 'hhLimb', 'hhBack', 'hhBone', 'hhClots', 'hhCancer', 'hhInfection',
         'hhSleep', 'hhSleepTest', 'hhHospital', 'hhBrokenBone', 'hhTobacco', 'hhAlcohol', 'hhIllegal', 'hhDrugTest',
         'hhOther'].forEach(function (key) { v['mcsa-5875.' + key] = 'no'; });
        v['mcsa-5875.hhBrokenBone'] = 'yes';
        ['sysGeneral', 'sysSkin', 'sysEyes', 'sysEars', 'sysMouth', 'sysCardio', 'sysLungs', 'sysAbdomen', 'sysGu',
         'sysBack', 'sysExtremities', 'sysNeuro', 'sysGait', 'sysVascular'].forEach(function (key) { v['mcsa-5875.' + key] = 'normal'; });
        return v;
    }

    K.testData = { values: values };
})(typeof globalThis !== 'undefined' ? globalThis : this);
