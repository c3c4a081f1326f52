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
            'clinic.email': 'clinic@example.com', 'clinic.ein': '00-0000000',
            'clinic.timeZone': 'America/Chicago', 'clinic.facilityText': 'Test Occupational Health Clinic, 300 Demo Avenue, Testville, TX 75001',
            'provider.name': 'EXAMINER, Test, MD', 'provider.credential': 'MD', 'provider.occupation': 'md',
            'provider.specialty': 'Occupational Medicine', 'provider.licenseNumber': 'TEST-12345', 'provider.licenseState': 'TX',
            'provider.npi': '1234567893', 'provider.licenseExpiry': K.dates.addMonths(exam, 18), 'provider.plhcp': true, 'provider.nrNumber': '1234567890', 'provider.nrDate': K.dates.addMonths(exam, -36),
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
        Object.assign(v, workplaceValues(exam));
        ['sysGeneral', 'sysSkin', 'sysEyes', 'sysEars', 'sysMouth', 'sysCardio', 'sysLungs', 'sysAbdomen', 'sysGu',
         'sysBack', 'sysExtremities', 'sysNeuro', 'sysGait', 'sysVascular'].forEach(function (key) { v['mcsa-5875.' + key] = 'normal'; });
        return v;
    }

    // The injury, FECA, FMLA, OSHA and drug-testing forms. Narratives avoid the
    // patient's name, as the OSHA 301 asks.
    function workplaceValues(exam) {
        const d = K.dates;
        const injury = d.addDays(exam, -3);
        const v = {
            'case.injuryDate': injury, 'case.injuryTime': '08:40', 'case.workRelated': 'yes', 'case.oshaCaseNo': 'SAMPLE-01',
            'case.owcpFileNo': 'SAMPLE-000000', 'case.dateHired': d.addMonths(exam, -40), 'case.emergencyRoom': 'no',
            'case.hospitalized': 'no', 'case.firstExamDate': injury,
            'case.description': 'Lifted a 40 lb carton from floor level onto a pallet and felt a pull in the lower back (sample entry).',
            'case.findings': 'Paraspinal tenderness L4\u2013S1, flexion limited to 60 degrees, neurological examination normal (sample entry).',
            'case.diagnosis': 'Sprain of ligaments of lumbar spine (sample entry)', 'case.icdCodes': 'S33.5XXA',
            'case.causation': 'yes', 'case.causationExplanation': 'Mechanism of lifting with trunk flexion is consistent with the findings (sample entry).',
            'case.disability': 'partial', 'case.disabilityFrom': d.addDays(injury, 1), 'case.disabilityTo': d.addDays(exam, 14),
            'case.returnLightDate': exam, 'case.returnDate': d.addDays(exam, 15),
            'case.limitations': 'No lifting over 20 lb; change position every 30 minutes (sample entry).',
            'employer.hoursPerDay': '10', 'employer.daysPerWeek': '4', 'employer.federalAgency': 'Example Agency (sample)',
            'employer.reqAHours': '4', 'employer.reqALimit': '50', 'employer.reqBHours': '6', 'employer.reqCHours': '2',
            'employer.reqDHours': '2', 'employer.reqGHours': '2', 'employer.reqMHours': '8', 'employer.reqSHours': '8', 'employer.reqSLimit': '85',
            'employer.exposures': 'Diesel exhaust, noise, whole-body vibration; half-facepiece respirator for tank cleaning (sample entry).',
            'employer.respirator': 'Half-facepiece elastomeric air-purifying respirator with P100 filters, about 0.5 lb (sample entry).',
            'employer.respDuration': 'About 2 hours a week during tank cleaning; not used for rescue or escape.',
            'employer.respEffort': 'Moderate (climbing, scrubbing).', 'employer.respClothing': 'Chemical-resistant coveralls and gloves.',
            'employer.respClimate': 'Indoor, 60\u201385 \u00b0F, humidity up to 80 %.',
            'visit.nextAppointment': d.addDays(exam, 7), 'visit.restrictions': 'Change position every 30 minutes (sample entry).',
            'visit.resAHours': '2', 'visit.resALimit': '20', 'visit.resBHours': '6', 'visit.resCHours': '2', 'visit.resDHours': '2',
            'visit.resGHours': '1', 'visit.resMHours': '4',
            'visit.aud3000R': '25', 'visit.aud4000R': '30', 'visit.aud6000R': '30',
            'visit.aud3000L': '20', 'visit.aud4000L': '25', 'visit.aud6000L': '25',
            'visit.fvc': '4.80', 'visit.fvcPct': '98', 'visit.fev1': '3.84', 'visit.fev1Pct': '97', 'visit.ratioLln': '70',
            'visit.spiroInterpretation': 'normal',
            'work-status.status': 'modified', 'work-status.from': exam, 'work-status.to': d.addDays(exam, 14),
            'work-status.safetySensitive': 'no', 'work-status.signed': true, 'work-status.signedDate': exam,
            'pre-placement.examType': 'periodic', 'pre-placement.colorVision': 'yes', 'pre-placement.baselineDate': d.addMonths(exam, -24),
            'pre-placement.determination': 'qualified', 'pre-placement.signed': true, 'pre-placement.signedDate': exam,
            'drug-alcohol.authority': 'FMCSA', 'drug-alcohol.reason': 'random', 'drug-alcohol.ccfId': 'SAMPLE0000001',
            'drug-alcohol.collectTime': '09:15', 'drug-alcohol.collectionType': 'split', 'drug-alcohol.volumeMl': '60',
            'drug-alcohol.temperatureInRange': 'yes', 'drug-alcohol.temperature': '94', 'drug-alcohol.temperatureUnit': 'F',
            'drug-alcohol.temperatureMinutes': '2', 'drug-alcohol.collector': 'SAMPLE, Collector',
            'drug-alcohol.lab': 'Example Toxicology Laboratory (sample)', 'drug-alcohol.mro': 'SAMPLE, Medical Review Officer',
            'drug-alcohol.drugResult': 'negative', 'drug-alcohol.resultDate': d.addDays(exam, 2), 'drug-alcohol.atfNo': 'SAMPLE-ATF-0001',
            'drug-alcohol.device': 'Example breath tester (sample)', 'drug-alcohol.technician': 'SAMPLE, Breath Alcohol Technician',
            'drug-alcohol.screenTime': '09:30', 'drug-alcohol.screenResult': '0.000', 'drug-alcohol.signed': true, 'drug-alcohol.signedDate': exam,
            'respirator-questionnaire.canRead': 'yes', 'respirator-questionnaire.bestTime': 'Weekdays 4\u20135 pm',
            'respirator-questionnaire.toldHowToContact': 'yes', 'respirator-questionnaire.typeHalf': true,
            'respirator-questionnaire.wornBefore': 'yes', 'respirator-questionnaire.wornTypes': 'Half-facepiece with cartridges',
            'plhcp-recommendation.status': 'cleared', 'plhcp-recommendation.followUpNeeded': 'no',
            'plhcp-recommendation.employeeCopy': true, 'plhcp-recommendation.nextEvaluation': d.addMonths(exam, 12),
            'plhcp-recommendation.fitTestDate': exam, 'plhcp-recommendation.fitMake': 'Example Respirator Co. (sample)',
            'plhcp-recommendation.fitModel': 'SAMPLE-100', 'plhcp-recommendation.fitSize': 'Medium', 'plhcp-recommendation.fitMethod': 'qlft',
            'plhcp-recommendation.fitProtocol': 'Saccharin', 'plhcp-recommendation.fitResult': 'pass',
            'plhcp-recommendation.fitTester': 'SAMPLE, Fit Tester', 'plhcp-recommendation.signed': true, 'plhcp-recommendation.signedDate': exam,
            'osha-301.completedBy': 'SAMPLE, Safety Manager', 'osha-301.completedTitle': 'Safety manager', 'osha-301.completedPhone': '555-0111',
            'osha-301.completedDate': exam, 'osha-301.learnedDate': injury, 'osha-301.timeBeganWork': '07:00',
            'osha-301.doingBefore': 'Unloading cartons of paper from a trailer onto a pallet by hand (sample entry).',
            'osha-301.injury': 'Strained lower back (sample entry).', 'osha-301.object': 'Carton of paper, 40 lb.',
            'osha-301.restrictedFrom': d.addDays(injury, 1), 'osha-301.restrictedTo': d.addDays(injury, 10), 'osha-301.daysRestricted': '10',
            'ca-16.issuedDate': injury, 'ca-16.issuedTime': '10:00', 'ca-16.authorization': 'b1', 'ca-16.historyMatches': 'yes',
            'ca-16.preexisting': 'no', 'ca-16.treatmentType': 'NSAID, ice, home exercise program, physical therapy referral (sample entry).',
            'ca-16.treatmentDates': d.toUs(injury) + ', ' + d.toUs(exam), 'ca-16.physicianSigned': true, 'ca-16.physicianSignedDate': exam,
            'ca-17.supervisor': 'SAMPLE, Supervisor', 'ca-17.historyMatches': 'yes', 'ca-17.advisedResume': 'yes', 'ca-17.resumeDate': exam,
            'ca-17.hoursAllowed': '8', 'ca-17.ableRegular': 'no', 'ca-17.neuroEffect': 'no',
            'ca-17.physicianSigned': true, 'ca-17.physicianSignedDate': exam,
            'ca-20.remarks': 'Expected to return to regular duty after physical therapy (sample entry).',
            'ca-20.physicianSigned': true, 'ca-20.physicianSignedDate': exam
        };
        for (const form of ['wh-380-e', 'wh-380-f']) {
            const P = form + '.';
            Object.assign(v, {
                [P + 'requestDate']: exam, [P + 'returnByDate']: d.addDays(exam, 15), [P + 'signed']: true, [P + 'signedDate']: exam
            });
        }
        Object.assign(v, {
            'wh-380-e.conditionBegan': injury, 'wh-380-e.probableDuration': 'About 3 weeks (estimate)', 'wh-380-e.categoryIncapacity': true,
            'wh-380-e.incapacityFrom': injury, 'wh-380-e.incapacityTo': d.addDays(injury, 9),
            'wh-380-e.visitDates': d.toUs(injury) + ', ' + d.toUs(exam), 'wh-380-e.continuingTreatment': true,
            'wh-380-e.continuous': 'yes', 'wh-380-e.continuousFrom': injury, 'wh-380-e.continuousTo': d.addDays(injury, 9),
            'wh-380-e.appointments': 'yes', 'wh-380-e.appointmentSchedule': 'Physical therapy twice a week for 3 weeks, 1 hour each',
            'wh-380-e.flareUps': 'no', 'wh-380-e.unableToPerform': 'yes', 'wh-380-e.functionsUnable': 'Loading and securing cargo over 20 lb.',
            'wh-380-f.employeeName': 'SAMPLE, Family Employee', 'wh-380-f.relationship': 'Spouse (sample)',
            'wh-380-f.careProvided': 'Transport to appointments and care at home during flare-ups (sample entry).',
            'wh-380-f.employeeSigned': true, 'wh-380-f.employeeSignedDate': exam,
            'wh-380-f.conditionBegan': d.addMonths(exam, -30), 'wh-380-f.probableDuration': 'Long term; flare-ups expected over the next 6 months',
            'wh-380-f.categoryChronic': true, 'wh-380-f.visitsPerYear': '4', 'wh-380-f.continuous': 'no', 'wh-380-f.appointments': 'yes',
            'wh-380-f.appointmentSchedule': 'Quarterly visits, half a day each', 'wh-380-f.flareUps': 'yes',
            'wh-380-f.flareUpsExplain': 'Needs help with daily care during a flare-up.', 'wh-380-f.flareFrequency': '1',
            'wh-380-f.flareFrequencyUnit': 'month', 'wh-380-f.flareDuration': '2', 'wh-380-f.flareDurationUnit': 'days'
        });
        K.rulesWorkplace.RESPIRATOR_SECTION2_ITEMS.concat(K.rulesWorkplace.RESPIRATOR_FULL_FACEPIECE_ITEMS)
            .forEach(function (k) { v['respirator-questionnaire.q' + k] = 'no'; });
        const base = { R: ['10', '10', '15', '15', '20', '20'], L: ['10', '10', '10', '15', '15', '20'] };
        [500, 1000, 2000, 3000, 4000, 6000].forEach(function (f, i) {
            v['pre-placement.base' + f + 'R'] = base.R[i];
            v['pre-placement.base' + f + 'L'] = base.L[i];
        });
        return v;
    }

    K.testData = { values: values };
})(typeof globalThis !== 'undefined' ? globalThis : this);
