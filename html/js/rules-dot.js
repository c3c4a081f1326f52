// DOT/FMCSA driver examination rules D1-D14: pure functions on plain values
// (numbers as texts or numbers, dates as 'YYYY-MM-DD'). Each finding names its
// rule, whether it blocks ('error') or only warns ('warning'), the regulation, and the
// input it is about (`field`, a key of the input object, mapped to a form field by
// the adapter in rules-dot-adapter.js).
(function (root) {
    'use strict';

    const dates = (typeof module === 'object' && module.exports)
        ? require('./dates.js') : root.Kestrova.dates;

    const CITE = {
        D1: '49 CFR 391.45(b)',
        D2: '49 CFR 391.43(f), 391.45',
        D3: '49 CFR 391.41(b)(6)',
        D4: '49 CFR 391.41(b)(6); FMCSA hypertension guidance',
        D5: '49 CFR 391.41(b)(10)',
        D6: '49 CFR 391.44',
        D7: '49 CFR 391.41(b)(11)',
        D8: '49 CFR 391.46',
        D9: '49 CFR 391.43(g)',
        D10: '49 CFR 391.43(h)',
        D11: '49 CFR 390.103, 390.111',
        D12: '49 CFR 391.11(b)(1)',
        D13: '49 CFR 390.105(b)',
        D14: '49 CFR 391.64'
    };

    const ISSUING = ['meets2y', 'periodic'];
    const PERIOD_MONTHS = { '3m': 3, '6m': 6, '1y': 12 };

    function finding(rule, severity, message, field, cite) {
        const f = { rule: rule, severity: severity, message: message, cite: cite || CITE[rule] };
        if (field)
            f.field = field;
        return f;
    }

    // A number from a form text; NaN when empty or not a number.
    function num(value) {
        if (typeof value === 'number')
            return value;
        if (typeof value !== 'string' || value.trim() === '')
            return NaN;
        const n = Number(value.trim());
        return Number.isFinite(n) ? n : NaN;
    }

    function known(n) {
        return !Number.isNaN(n);
    }

    // Section 3 (Federal) or Section 4 (State) of the MCSA-5875: its determination, its
    // period, expiration and follow-up dates, and the input keys findings point to.
    function section(input, state) {
        if (state)
            return { state: true, determination: input.stateDetermination, period: input.statePeriod,
                     periodOtherMonths: input.statePeriodOtherMonths, expiryDate: input.stateExpiryDate,
                     followUpDate: input.stateFollowUpDate, determinationField: 'stateDetermination',
                     periodField: 'statePeriod', periodOtherField: 'statePeriodOther', expiryField: 'stateExpiryDate',
                     followUpField: 'stateFollowUpDate' };
        return { state: false, determination: input.determination, period: input.period,
                 periodOtherMonths: input.periodOtherMonths, expiryDate: input.expiryDate,
                 followUpDate: input.followUpDate, determinationField: 'determination',
                 periodField: 'period', periodOtherField: 'periodOther', expiryField: 'expiryDate',
                 followUpField: 'followUpDate' };
    }

    // Section 4 counts only on a certificate issued with State variances.
    function stateCounts(input) {
        return (input.certificate || {}).basis === 'state';
    }

    // The determination a certificate rests on: Section 3 (Federal) when it qualifies the
    // driver, else Section 4 (State) when it counts and qualifies; null when neither does.
    function certification(input) {
        if (ISSUING.indexOf(input.determination) >= 0)
            return section(input, false);
        if (stateCounts(input) && ISSUING.indexOf(input.stateDetermination) >= 0)
            return section(input, true);
        return null;
    }

    function isIssuing(input) {
        return certification(input) !== null;
    }

    // The "other" period in whole months: NaN when not a positive whole number.
    function otherMonths(sec) {
        const months = num(sec.periodOtherMonths);
        return Number.isInteger(months) && months > 0 ? months : NaN;
    }

    // Months a section's determination certifies for: 24 for the 2-year certificate, the
    // chosen period (at most 24) for periodic monitoring; NaN when there is none.
    function sectionMonths(sec) {
        if (sec.determination === 'meets2y')
            return 24;
        if (sec.determination !== 'periodic')
            return NaN;
        if (sec.period === 'other') {
            const months = otherMonths(sec);
            return months <= 24 ? months : NaN;
        }
        return PERIOD_MONTHS[sec.period] || NaN;
    }

    // Months the certificate is for; NaN when there is no certificate or no period.
    function certificateMonths(input) {
        const cert = certification(input);
        return cert ? sectionMonths(cert) : NaN;
    }

    // Whether the certificate runs longer than `limit` months: by its period, or by its
    // expiration date when the period is not known.
    function longerThan(input, limit) {
        const months = certificateMonths(input);
        if (known(months))
            return months > limit;
        const cert = certification(input);
        return !!cert && dates.isValid(input.examDate) && dates.isValid(cert.expiryDate)
            && dates.compare(cert.expiryDate, dates.addMonths(input.examDate, limit)) > 0;
    }

    function sectionExpiry(input, sec) {
        const months = sec ? sectionMonths(sec) : NaN;
        if (!known(months) || !dates.isValid(input.examDate))
            return '';
        return dates.addMonths(input.examDate, months);
    }

    // The expiration date that the exam date and the determination give; '' when none.
    // Without `which` it is the certificate's; 'federal' or 'state' asks for that section's
    // whether or not the certificate rests on it.
    function computeExpiry(input, which) {
        return sectionExpiry(input, which ? section(input, which === 'state') : certification(input));
    }

    // Blood-pressure stage of one reading, and the longest certificate it allows.
    function bpStage(systolic, diastolic, treated) {
        const s = num(systolic), d = num(diastolic);
        if (!known(s) || !known(d))
            return { stage: 'unknown', label: 'Not recorded', maxMonths: NaN };
        if (s >= 180 || d >= 110)
            return { stage: 'stage3', label: 'Stage 3 hypertension (\u2265 180/110)', maxMonths: 0 };
        if (s >= 160 || d >= 100)
            return { stage: 'stage2', label: 'Stage 2 hypertension (160\u2013179/100\u2013109)', maxMonths: 3 };
        if (s >= 140 || d >= 90)
            return { stage: 'stage1', label: 'Stage 1 hypertension (140\u2013159/90\u201399)', maxMonths: 12 };
        if (treated)
            return { stage: 'treated', label: 'Below 140/90, treated hypertension', maxMonths: 12 };
        return { stage: 'normal', label: 'Below 140/90', maxMonths: 24 };
    }

    // The reading that decides: the second one when it was taken.
    function decidingReading(bp) {
        bp = bp || {};
        if (known(num(bp.sys2)) && known(num(bp.dia2)))
            return { sys: bp.sys2, dia: bp.dia2, second: true };
        return { sys: bp.sys, dia: bp.dia, second: false };
    }

    // D1, D2 on one section: its period and its expiration date.
    function checkSectionExpiry(input, sec) {
        const out = [];
        const periodic = sec.determination === 'periodic';
        const months = sectionMonths(sec);
        const label = sec.state ? ' (Section 4, State)' : '';
        if (periodic && sec.period === 'other' && otherMonths(sec) > 24)
            out.push(finding('D2', 'error', 'A medical certificate is for at most 24 months; the other period' + label + ' is '
                + otherMonths(sec) + ' months.', sec.periodOtherField));
        else if (periodic && !known(months))
            out.push(finding('D2', 'error', 'Periodic monitoring' + label + ' needs a certification period (3 months, 6 months, 1 year or a number of months).',
                sec.period === 'other' ? sec.periodOtherField : sec.periodField));
        const expiry = sec.expiryDate;
        if (!dates.isValid(expiry)) {
            out.push(finding('D1', 'error', 'Enter ' + (sec.state ? 'the State certificate expiration date (Section 4)'
                : 'the certificate expiration date') + '.', sec.expiryField));
            return out;
        }
        const limit = dates.addMonths(input.examDate, 24);
        if (dates.compare(expiry, input.examDate) <= 0)
            out.push(finding('D1', 'error', 'The certificate expiration date' + label + ' must come after the examination date.', sec.expiryField));
        else if (dates.compare(expiry, limit) > 0)
            out.push(finding('D1', 'error', 'The certificate expires ' + dates.toUs(expiry) + label
                + ', more than 24 months after the examination; the latest date is ' + dates.toUs(limit) + '.', sec.expiryField));
        else if (periodic && known(months)) {
            const expected = sectionExpiry(input, sec);
            if (expiry !== expected)
                out.push(finding('D2', 'error', 'With periodic monitoring' + label + ' the certificate expires at the end of the period: '
                    + dates.toUs(expected) + ', not ' + dates.toUs(expiry) + '.', sec.expiryField));
        }
        return out;
    }

    // D1, D2: the expiration date against the exam date and the determination, for the
    // section the certificate rests on and for a qualifying Section 4 that counts beside it.
    function checkExpiry(input) {
        const cert = certification(input);
        if (!cert)
            return [];
        if (!dates.isValid(input.examDate))
            return [finding('D1', 'error', 'Enter the examination date; the certificate expiration date depends on it.', 'examDate')];
        let out = checkSectionExpiry(input, cert);
        if (!cert.state && stateCounts(input) && ISSUING.indexOf(input.stateDetermination) >= 0)
            out = out.concat(checkSectionExpiry(input, section(input, true)));
        // The certificate prints the Section 3 expiration date; on a State certificate it
        // must be the State one.
        if (cert.state && dates.isValid(cert.expiryDate) && input.expiryDate !== cert.expiryDate)
            out.push(finding('D1', 'error', 'The certificate shows the expiration date '
                + (dates.isValid(input.expiryDate) ? dates.toUs(input.expiryDate) : '(none)')
                + '; the State determination gives ' + dates.toUs(cert.expiryDate) + '. Enter the same date.', 'expiryDate'));
        return out;
    }

    // D3, D4: second reading and the certification period the pressure allows.
    function checkBloodPressure(input) {
        const out = [];
        const bp = input.bp || {};
        const s = num(bp.sys), d = num(bp.dia);
        if (!known(s) || !known(d)) {
            out.push(finding('D4', isIssuing(input) ? 'error' : 'warning', 'Record the blood pressure (systolic and diastolic).',
                known(s) ? 'bp.dia' : 'bp.sys'));
            return out;
        }
        if ((s > 139 || d > 89) && !(known(num(bp.sys2)) && known(num(bp.dia2))))
            out.push(finding('D3', 'warning', 'Blood pressure ' + s + '/' + d + ' is above 139/89: take and record a second reading.', 'bp.sys2'));
        const reading = decidingReading(bp);
        const stage = bpStage(reading.sys, reading.dia, bp.treated);
        if (!isIssuing(input))
            return out;
        const months = certificateMonths(input);
        const cert = certification(input);
        if (stage.stage === 'stage3')
            out.push(finding('D4', 'warning', stage.label + ': the driver should be disqualified; once at or below 140/90, certify at 6-month intervals.',
                cert.determinationField));
        else if (known(months) && months > stage.maxMonths)
            out.push(finding('D4', 'warning', stage.label + ' allows a certificate of at most ' + stage.maxMonths
                + ' months' + (stage.stage === 'stage2' ? ' (one time)' : '') + '; this one is for ' + months + ' months.', cert.periodField));
        return out;
    }

    // Snellen denominator from "20/40" or "40"; NaN when not readable. A letters-missed
    // or letters-more suffix ("20/40-1", "20/40+2") is dropped: the reading is scored on
    // the line it names, so "20/40-1" is the 20/40 line, as examiners record it.
    function acuity(text) {
        if (typeof text === 'number')
            return text;
        if (typeof text !== 'string')
            return NaN;
        const match = /^\s*(?:20\s*\/\s*)?(\d{1,3})\s*(?:[+-]\s*\d)?\s*$/.exec(text);
        return match ? Number(match[1]) : NaN;
    }

    function acuityPasses(text) {
        const a = acuity(text);
        return known(a) && a <= 40;
    }

    function blank(value) {
        return typeof value !== 'string' || value.trim() === '';
    }

    // D5, D6: acuity, field, colour, corrective lenses; the alternative standard.
    function checkVision(input) {
        const out = [];
        const v = input.vision || {};
        const issuing = isIssuing(input);
        const failSeverity = issuing ? 'error' : 'warning';
        const eyes = [
            { name: 'Right eye', unc: 'rightUnc', cor: 'rightCor', field: 'fieldRight' },
            { name: 'Left eye', unc: 'leftUnc', cor: 'leftCor', field: 'fieldLeft' },
            { name: 'Both eyes', unc: 'bothUnc', cor: 'bothCor', field: null }
        ];
        const results = eyes.map(function (eye) {
            const unaided = acuityPasses(v[eye.unc]);
            const degrees = eye.field ? num(v[eye.field]) : NaN;
            return {
                eye: eye,
                recorded: known(acuity(v[eye.unc])) || known(acuity(v[eye.cor])),
                unaided: unaided,
                passes: unaided || acuityPasses(v[eye.cor]),
                degrees: degrees,
                fieldPasses: known(degrees) && degrees >= 70
            };
        });
        const single = results.slice(0, 2);
        let lensesNeeded;
        if (v.altStandard) {
            // Only the better eye must meet 20/40 and 70 degrees; the other may be blind and
            // its entries a description ("NLP") or empty.
            const better = single.filter(function (r) { return r.passes && r.fieldPasses; });
            if (!better.length) {
                single.forEach(function (r) {
                    const empty = blank(v[r.eye.unc]) && blank(v[r.eye.cor]);
                    if (empty)
                        out.push(finding('D5', 'error', r.eye.name + ': record the visual acuity (20/__).', 'vision.' + r.eye.unc));
                    // An eye described in words ("NLP") has no field to record.
                    if (blank(v[r.eye.field]) && (empty || r.recorded))
                        out.push(finding('D5', 'error', r.eye.name + ': record the horizontal field of vision in degrees.', 'vision.' + r.eye.field));
                });
                out.push(finding('D6', failSeverity, 'Under the alternative vision standard the better eye must still see 20/40 and 70\u00b0.', 'vision.rightUnc'));
            }
            if (!results[2].recorded)
                out.push(finding('D5', 'error', 'Both eyes: record the visual acuity (20/__).', 'vision.bothUnc'));
            lensesNeeded = better.length > 0 && better.every(function (r) { return !r.unaided; });
            const signed = dates.daysBetween(v.form5871Date, input.examDate);
            if (!known(signed))
                out.push(finding('D6', 'error', 'The alternative vision standard needs the MCSA-5871 vision evaluation report date.', 'vision.form5871Date'));
            else if (signed < 0 || signed > 45)
                out.push(finding('D6', 'error', 'The MCSA-5871 must be signed no more than 45 days before the examination (it is '
                    + (signed < 0 ? 'dated after the examination' : signed + ' days before') + ').', 'vision.form5871Date'));
            if (issuing && longerThan(input, 12))
                out.push(finding('D6', 'error', 'Under the alternative vision standard the certificate is for at most 12 months.', certification(input).periodField));
            if (v.color === 'no')
                out.push(finding('D6', failSeverity, 'The alternative vision standard does not cover a failure to tell red, green and amber.', 'vision.color'));
        } else {
            results.forEach(function (r) {
                const eye = r.eye;
                if (!r.recorded)
                    out.push(finding('D5', 'error', eye.name + ': record the visual acuity (20/__).', 'vision.' + eye.unc));
                else if (!r.passes)
                    out.push(finding('D5', failSeverity, eye.name + ' does not reach 20/40, with or without correction.',
                        'vision.' + (known(acuity(v[eye.cor])) ? eye.cor : eye.unc)));
            });
            single.forEach(function (r) {
                const eye = r.eye;
                if (!known(r.degrees))
                    out.push(finding('D5', 'error', eye.name + ': record the horizontal field of vision in degrees.', 'vision.' + eye.field));
                else if (!r.fieldPasses)
                    out.push(finding('D5', failSeverity, eye.name + ': horizontal field ' + r.degrees + '\u00b0 is below 70\u00b0.', 'vision.' + eye.field));
            });
            lensesNeeded = results.some(function (r) { return r.passes && !r.unaided; });
            if (v.color === 'no')
                out.push(finding('D5', failSeverity, 'The driver must recognise the colours of traffic signals (red, green, amber).', 'vision.color'));
        }
        if (v.color !== 'yes' && v.color !== 'no')
            out.push(finding('D5', 'error', 'Record whether the driver recognises red, green and amber.', 'vision.color'));
        if (lensesNeeded && !v.lenses)
            out.push(finding('D5', 'error', 'The driver meets the vision standard only with correction: tick "Wearing corrective lenses" (shown on both forms).', 'vision.lenses'));
        return out;
    }

    function average(values) {
        const numbers = values.map(num);
        if (numbers.some(function (n) { return !known(n); }))
            return NaN;
        return numbers.reduce(function (a, b) { return a + b; }, 0) / numbers.length;
    }

    // Average threshold of 500, 1000 and 2000 Hz for each ear, and the better ear's.
    function hearingAverages(h) {
        h = h || {};
        const right = average([h.r500, h.r1000, h.r2000]);
        const left = average([h.l500, h.l1000, h.l2000]);
        const both = [right, left].filter(known);
        return { right: right, left: left, better: both.length ? Math.min.apply(null, both) : NaN };
    }

    // D7: forced whisper or audiometry; the hearing-aid box.
    function checkHearing(input) {
        const out = [];
        const h = input.hearing || {};
        const issuing = isIssuing(input);
        const whispers = [num(h.whisperRight), num(h.whisperLeft)].filter(known);
        const averages = hearingAverages(h);
        const whisperPass = whispers.length > 0 && Math.max.apply(null, whispers) >= 5;
        const audioPass = known(averages.better) && averages.better <= 40;
        if (!whispers.length && !known(averages.better))
            out.push(finding('D7', 'error', 'Record the hearing test: forced whisper distance or audiometric thresholds at 500, 1000 and 2000 Hz.', 'hearing.whisperRight'));
        else if (!whisperPass && !audioPass) {
            const parts = [];
            if (whispers.length)
                parts.push('forced whisper heard at ' + Math.max.apply(null, whispers) + ' ft (5 ft needed)');
            if (known(averages.better))
                parts.push('better-ear average ' + (Math.round(averages.better * 10) / 10) + ' dB (40 dB or less needed)');
            out.push(finding('D7', issuing ? 'error' : 'warning', 'Hearing standard not met: ' + parts.join('; ') + '.',
                whispers.length ? 'hearing.whisperRight' : 'hearing.r500'));
        }
        if ((h.aid === 'right' || h.aid === 'left' || h.aid === 'both') && !h.hearingAidBox)
            out.push(finding('D7', 'error', 'A hearing aid is used: tick "Wearing hearing aid" (shown on both forms).', 'hearing.hearingAidBox'));
        return out;
    }

    // D8: insulin-treated diabetes mellitus.
    function checkInsulin(input) {
        const out = [];
        const ins = input.insulin || {};
        if (!ins.treated)
            return out;
        const days = dates.daysBetween(ins.form5870Date, input.examDate);
        if (!known(days))
            out.push(finding('D8', 'error', 'Insulin-treated diabetes: enter the date the treating clinician signed the MCSA-5870.', 'insulin.form5870Date'));
        else if (days < 0 || days > 45)
            out.push(finding('D8', 'error', 'The MCSA-5870 must be signed no more than 45 days before the examination (it is '
                + (days < 0 ? 'dated after the examination' : days + ' days before') + ').', 'insulin.form5870Date'));
        if (isIssuing(input) && longerThan(input, 12))
            out.push(finding('D8', 'error', 'With insulin-treated diabetes the certificate is for at most 12 months.', certification(input).periodField));
        return out;
    }

    // D9: a pending determination needs a follow-up within 45 days; a pending Section 4
    // as well when it counts.
    function checkPending(input) {
        const sections = [section(input, false)];
        if (stateCounts(input))
            sections.push(section(input, true));
        const out = [];
        sections.forEach(function (sec) {
            if (sec.determination !== 'pending')
                return;
            const which = sec.state ? 'State determination pending (Section 4)' : 'Determination pending';
            const days = dates.daysBetween(input.examDate, sec.followUpDate);
            if (!known(days))
                out.push(finding('D9', 'error', which + ': enter the follow-up date (within 45 days of the examination).', sec.followUpField));
            else if (days < 0 || days > 45)
                out.push(finding('D9', 'error', which + ': the follow-up must fall within 45 days of the examination, by '
                    + dates.toUs(dates.addDays(input.examDate, 45)) + '.', sec.followUpField));
        });
        return out;
    }

    const CERTIFICATE_FIELDS = [
        ['basis', 'Whether the driver was examined under the Federal regulations or with State variances'],
        ['driverName', 'Driver\u2019s name'],
        ['driverLicense', 'Driver\u2019s license number'],
        ['driverLicenseState', 'Driver\u2019s license state'],
        ['driverAddress', 'Driver\u2019s address'],
        ['driverDob', 'Driver\u2019s date of birth'],
        ['driverCdl', 'CLP/CDL applicant or holder'],
        ['driverSigned', 'Driver\u2019s signature on Section 1 of the examination report'],
        ['examinerName', 'Medical examiner\u2019s printed name'],
        ['examinerPhone', 'Medical examiner\u2019s telephone number'],
        ['examinerOccupation', 'Medical examiner\u2019s occupation'],
        ['examinerLicense', 'Medical examiner\u2019s license or certificate number'],
        ['examinerLicenseState', 'Medical examiner\u2019s license state'],
        ['examinerNrNumber', 'National Registry number'],
        ['examinerSigned', 'Medical examiner\u2019s signature'],
        ['certificateDate', 'Certificate date (examination date)']
    ];

    const QUALIFYING_CITE = '49 CFR 391.43(g), (h)';
    const NOT_QUALIFYING = {
        notMeet: 'finds that the driver does not meet the standards',
        pending: 'leaves the determination pending',
        incomplete: 'records an incomplete examination'
    };

    // D10: a certificate only on a determination that qualifies the driver (when the
    // record includes one), and then every field of it.
    function checkCertificate(input) {
        const c = input.certificate || {};
        if (!isIssuing(input)) {
            if (!input.withCertificate)
                return [];
            if (c.basis !== 'state' && ISSUING.indexOf(input.stateDetermination) >= 0)
                return [finding('D10', 'error', 'Only the State determination (Section 4 of the MCSA-5875) qualifies the driver: '
                    + 'mark the certificate as issued with State variances, or complete the Federal determination in Section 3.', 'certificate.basis',
                    QUALIFYING_CITE)];
            const state = c.basis === 'state';
            const value = state ? input.stateDetermination : input.determination;
            const section = state ? 'Section 4 (State)' : 'Section 3';
            return [finding('D10', 'error', 'No qualifying determination: ' + section + ' of the MCSA-5875 '
                + (NOT_QUALIFYING[value] || 'has no determination')
                + '. Only a driver found to meet the standards (2-year certificate or periodic monitoring) can be certified; '
                + 'this MCSA-5876 is not a valid certificate.', state ? 'stateDetermination' : 'determination',
                QUALIFYING_CITE)];
        }
        return CERTIFICATE_FIELDS.filter(function (entry) {
            const value = c[entry[0]];
            return !(value === true || (typeof value === 'string' && value.trim() !== ''));
        }).map(function (entry) {
            return finding('D10', 'error', 'The certificate is not valid without: ' + entry[1] + '.', 'certificate.' + entry[0]);
        });
    }

    // An amended report states why and when, and the examiner signs the amendment.
    const AMENDMENT_CITE = '49 CFR 391.43(f)';
    function checkAmendment(input) {
        const a = input.amendment || {};
        if (!a.amended) {
            if (!blank(a.reason) || !blank(a.date) || a.signed)
                return [finding('D10', 'warning', 'An amendment is filled in but "Report amended" is not ticked.', 'amended', AMENDMENT_CITE)];
            return [];
        }
        const out = [];
        if (blank(a.reason))
            out.push(finding('D10', 'warning', 'Report amended: give the reason for the amendment.', 'amendedReason', AMENDMENT_CITE));
        if (!dates.isValid(a.date))
            out.push(finding('D10', 'warning', 'Report amended: enter the date of the amendment.', 'amendedDate', AMENDMENT_CITE));
        else if (dates.isValid(input.examDate) && dates.compare(a.date, input.examDate) < 0)
            out.push(finding('D10', 'warning', 'Report amended: the amendment is dated before the examination.', 'amendedDate', AMENDMENT_CITE));
        if (!a.signed)
            out.push(finding('D10', 'warning', 'Report amended: the medical examiner signs the amendment.', 'amendedSigned', AMENDMENT_CITE));
        return out;
    }

    // D11: the National Registry number and the credential's ten years.
    function checkRegistry(input) {
        const out = [];
        const nr = typeof input.nrNumber === 'string' ? input.nrNumber.trim() : '';
        if (nr !== '' && !/^\d{10}$/.test(nr))
            out.push(finding('D11', 'error', 'The National Registry number has 10 digits (found "' + nr.slice(0, 20) + '").', 'nrNumber'));
        if (!isIssuing(input))
            return out;
        if (!dates.isValid(input.nrDate))
            out.push(finding('D11', 'error', 'Enter the date of the examiner\u2019s National Registry certification.', 'nrDate'));
        else if (dates.isValid(input.examDate)) {
            const end = dates.addMonths(input.nrDate, 120);
            if (dates.compare(input.nrDate, input.examDate) > 0)
                out.push(finding('D11', 'error', 'The examiner\u2019s National Registry certification starts after the examination date.', 'nrDate'));
            else if (dates.compare(input.examDate, end) >= 0)
                out.push(finding('D11', 'error', 'The examiner\u2019s National Registry certification ended on ' + dates.toUs(end) + ' (10 years).', 'nrDate'));
        }
        return out;
    }

    // D12: interstate drivers are at least 21.
    function checkAge(input) {
        const age = dates.ageOn(input.dob, input.examDate);
        if (known(age) && age < 21 && !input.intrastateOnly)
            return [finding('D12', 'warning', 'The driver is ' + age + ': interstate commerce requires age 21; tick "Intrastate only" if that applies.', 'dob')];
        return [];
    }

    // D13: results go to the National Registry by midnight of the next calendar day.
    function checkReporting(input) {
        if ((!input.determination && !input.stateDetermination) || input.reported || !dates.isValid(input.examDate))
            return [];
        const due = dates.addDays(input.examDate, 1);
        const late = dates.isValid(input.today) && dates.compare(input.today, due) > 0;
        return [finding('D13', 'warning', (late ? 'Overdue: the result was due' : 'The result is due') + ' at the National Registry by midnight of '
            + dates.toUs(due) + '. Tick "Reported to the National Registry" once done.', 'reported')];
    }

    // D14: the 391.64 grandfather box is legacy.
    function checkLegacy(input) {
        return input.box39164
            ? [finding('D14', 'warning', 'The "Qualified by operation of 49 CFR 391.64" box is legacy; use it only for a driver still covered.', 'box39164')]
            : [];
    }

    function validate(input) {
        return [].concat(
            checkExpiry(input), checkBloodPressure(input), checkVision(input), checkHearing(input),
            checkInsulin(input), checkPending(input), checkCertificate(input), checkAmendment(input), checkRegistry(input),
            checkAge(input), checkReporting(input), checkLegacy(input));
    }

    const api = {
        CITE: CITE,
        CERTIFICATE_FIELDS: CERTIFICATE_FIELDS,
        certification: certification,
        certificateMonths: certificateMonths,
        computeExpiry: computeExpiry,
        bpStage: bpStage,
        decidingReading: decidingReading,
        acuity: acuity,
        hearingAverages: hearingAverages,
        checkExpiry: checkExpiry,
        checkBloodPressure: checkBloodPressure,
        checkVision: checkVision,
        checkHearing: checkHearing,
        checkInsulin: checkInsulin,
        checkPending: checkPending,
        checkCertificate: checkCertificate,
        checkAmendment: checkAmendment,
        checkRegistry: checkRegistry,
        checkAge: checkAge,
        checkReporting: checkReporting,
        checkLegacy: checkLegacy,
        validate: validate
    };
    root.Kestrova = root.Kestrova || {};
    root.Kestrova.rulesDot = api;
    if (typeof module === 'object' && module.exports)
        module.exports = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
