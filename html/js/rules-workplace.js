/*
 * Validation rules for the workplace forms: drug and alcohol testing record,
 * OSHA 301 / respirator questionnaire / audiometry, WH-380-E/F, CA-16/17/20,
 * and the NPI and SSN checks. Pure functions on plain values; nothing here
 * reads the page.
 *
 * Every rule returns an array of findings:
 *   { rule, severity: 'error' | 'warning', message, cite, field? }
 * and says nothing about an input it was not given.
 * Dates are 'YYYY-MM-DD', times 'HH:MM' (24 h). "yes"/"no" answers may be
 * 'yes' | 'no' | true | false.
 *
 * Input shapes
 *   T1  { authority, volumeMl, temperature, temperatureUnit: 'C'|'F',
 *         temperatureInRange: bool (collector's box), temperatureReadMinutes }
 *   T2  { authority, screenResult, screenTime, confirmationResult, confirmationTime }
 *   T3  { authority, screenResult, confirmationResult }
 *       authority: 'FMCSA' | 'FAA' | 'FRA' | 'FTA' | 'PHMSA' | 'USCG' | 'DOT' | 'non-DOT';
 *       the T rules stay silent for 'non-DOT' (employer policy, not Part 40).
 *   O1  { learnedDate, completedDate, asOf }
 *   O2  { injuryDate, awayFrom, awayTo, restrictedFrom, restrictedTo,
 *         daysAway, daysRestricted }   ranges are inclusive; the counts are
 *         the ones entered by hand, compared with the computed ones
 *   O3  { privacyCase: bool, employeeName, narratives: { <field>: text } }
 *   O4  { baseline: Audiogram, current: Audiogram }
 *       Audiogram = { right: { 2000: dB, 3000: dB, 4000: dB, ... }, left: {...} }
 *   O5  { fullFacepieceOrScba: bool, section1: { '1'..'12': value },
 *         section2: { '1', '2a'..'2e', ..., '9', '10'..'15j': answer, '8none': bool },
 *         cleared: bool, followUpDone: bool, fitTestDate, asOf,
 *         facepieceChanged: bool, physicalConditionChanged: bool }
 *       item keys: RESPIRATOR_SECTION2_ITEMS, RESPIRATOR_FULL_FACEPIECE_ITEMS
 *   O6  { stillEmployed: bool, employmentEndDate, asOf,
 *         employedUnderOneYear: bool, recordsGivenToEmployee: bool }
 *       (for deleting or purging a record)
 *   L1  { requestDate, returnByDate }
 *   L2  { ranges: [{ field, from, to }],
 *         frequencies: [{ field, frequency, frequencyUnit, duration, durationUnit }],
 *         texts: { <field>: text } }
 *   L3  { lastCertificationDate, requestDate, withAbsence: bool,
 *         minimumDurationDays | minimumDurationEnd, exception: bool }
 *       exception: extension requested, circumstances changed, or doubt (825.308(c))
 *   L4  { categories: ['inpatient'|'incapacity'|'pregnancy'|'chronic'|'permanent'|
 *         'multiple'|'none'] (the boxes ticked), incapacityFrom, incapacityTo,
 *         visitDates: [date], regimenOfTreatment: bool, visitsPerYear }
 *   L5  { regime: 'title-i' | 'title-ii' }
 *   W1  { injuryDate, injuryTime, issuedDate, issuedTime, verbalDate, verbalTime,
 *         occupationalDisease: bool, owcpPermission: bool }
 *   W2  { injuryDate, treatmentDates: [date] (or treatmentDate),
 *         surgery: bool, emergency: bool, owcpApproval: bool }
 *   W3  { ableToPerformRegularWork: bool, hoursPerDay,
 *         activities: { <a..t key>: { hours, limit } }, restrictionsText }
 *       limit: the activity's weight, temperature or noise limit
 *   W4  { diagnosis, icdCodes: [code] | 'code, code', causation: 'yes'|'no',
 *         causationExplanation, disability: 'total'|'partial'|'none',
 *         limitations, disabilityFrom, returnDate }
 *   W5  { signerCredential, signerOccupation: 'md'|'do'|'pa'|'apn'|'chiropractor'|'other'|'',
 *         cosignedByPhysician: bool }
 *   ID1 { npi, groupNpi, ssn }
 */
(function (root) {
    'use strict';

    // ---- dates and times ---------------------------------------------------

    const DAY_MS = 86400000;

    // Day number (days since 1970-01-01) of a valid 'YYYY-MM-DD', else null.
    function dayNumber(iso) {
        if (typeof iso !== 'string') return null;
        const m = /^(\d{4})-(\d{2})-(\d{2})$/.exec(iso.trim());
        if (!m) return null;
        const y = +m[1], mo = +m[2], d = +m[3];
        const ms = Date.UTC(y, mo - 1, d);
        const back = new Date(ms);
        if (back.getUTCFullYear() !== y || back.getUTCMonth() !== mo - 1 || back.getUTCDate() !== d) return null;
        return Math.round(ms / DAY_MS);
    }

    function isoFromDayNumber(n) {
        const d = new Date(n * DAY_MS);
        const pad = (v, w) => String(v).padStart(w, '0');
        return pad(d.getUTCFullYear(), 4) + '-' + pad(d.getUTCMonth() + 1, 2) + '-' + pad(d.getUTCDate(), 2);
    }

    function addDays(iso, days) {
        const n = dayNumber(iso);
        return n === null ? null : isoFromDayNumber(n + days);
    }

    // Calendar months; a day that does not exist in the target month becomes
    // that month's last day (Jan 31 + 1 month = Feb 28/29).
    function addMonths(iso, months) {
        if (dayNumber(iso) === null) return null;
        const [y, m, d] = iso.trim().split('-').map(Number);
        const total = y * 12 + (m - 1) + months;
        const ty = Math.floor(total / 12), tm = total % 12;
        const last = new Date(Date.UTC(ty, tm + 1, 0)).getUTCDate();
        return isoFromDayNumber(Math.round(Date.UTC(ty, tm, Math.min(d, last)) / DAY_MS));
    }

    function addYears(iso, years) {
        return addMonths(iso, years * 12);
    }

    // b - a in days, or null.
    function daysBetween(a, b) {
        const x = dayNumber(a), y = dayNumber(b);
        return x === null || y === null ? null : y - x;
    }

    function formatUsDate(iso) {
        if (dayNumber(iso) === null) return '';
        const [y, m, d] = iso.trim().split('-');
        return m + '/' + d + '/' + y;
    }

    function minutesOfDay(hhmm) {
        if (typeof hhmm !== 'string') return null;
        const m = /^(\d{1,2}):(\d{2})$/.exec(hhmm.trim());
        if (!m || +m[1] > 23 || +m[2] > 59) return null;
        return +m[1] * 60 + +m[2];
    }

    // Minutes from start to end on the same collection; an end earlier than
    // the start is taken as past midnight.
    function minutesBetweenTimes(start, end) {
        const a = minutesOfDay(start), b = minutesOfDay(end);
        if (a === null || b === null) return null;
        return b >= a ? b - a : b + 1440 - a;
    }

    // Shortest possible span in minutes between two date(+time) points; with a
    // time missing, the span is only as long as the dates alone prove.
    function minimumSpanMinutes(dateA, timeA, dateB, timeB) {
        const days = daysBetween(dateA, dateB);
        if (days === null) return null;
        const ta = minutesOfDay(timeA), tb = minutesOfDay(timeB);
        if (ta !== null && tb !== null) return days * 1440 + tb - ta;
        return days <= 0 ? 0 : (days - 1) * 1440 + 1;
    }

    // ---- small helpers -----------------------------------------------------

    function present(v) {
        return v !== undefined && v !== null && !(typeof v === 'string' && v.trim() === '');
    }

    function num(v) {
        if (!present(v)) return null;
        const n = typeof v === 'number' ? v : Number(String(v).trim());
        return Number.isFinite(n) ? n : null;
    }

    function yes(v) {
        return v === true || (typeof v === 'string' && v.trim().toLowerCase() === 'yes');
    }

    function answered(v) {
        return v === true || v === false || (typeof v === 'string' && /^(yes|no)$/i.test(v.trim()));
    }

    function finding(rule, severity, message, cite, field) {
        const f = { rule, severity, message, cite };
        if (field !== undefined) f.field = field;
        return f;
    }

    function isNonDot(authority) {
        return typeof authority === 'string' && /^non[\s-]?dot$/i.test(authority.trim());
    }

    function isFmcsaOrUnspecified(authority) {
        return !present(authority) || /^(fmcsa|dot)$/i.test(String(authority).trim());
    }

    // ---- drug and alcohol testing (49 CFR Part 40) --------------------------

    // Unit defaults by value: the two acceptable ranges (32-38 and 90-100) are
    // far apart, so a reading without a unit is unambiguous.
    function temperatureInRange(value, unit) {
        const t = num(value);
        if (t === null) return null;
        const u = present(unit) ? String(unit).trim().toUpperCase().replace('°', '') : (t > 60 ? 'F' : 'C');
        return u === 'F' ? t >= 90 && t <= 100 : t >= 32 && t <= 38;
    }

    // Thousandths, so 0.039999999 from arithmetic does not fall in the wrong band.
    function alcoholBand(concentration) {
        const c = num(concentration);
        if (c === null || c < 0) return null;
        const milli = Math.round(c * 1e6) / 1e3;
        if (milli < 20) return 'negative';
        if (milli < 40) return 'removal';
        return 'violation';
    }

    function T1(input) {
        const i = input || {};
        const out = [];
        if (isNonDot(i.authority)) return out;
        const volume = num(i.volumeMl);
        if (volume !== null && volume < 45) {
            out.push(finding('T1', 'error',
                'Urine volume ' + volume + ' mL is below 45 mL: follow the shy-bladder procedure (49 CFR 40.193).',
                '49 CFR 40.65(a)', 'volumeMl'));
        }
        const inRange = temperatureInRange(i.temperature, i.temperatureUnit);
        if (inRange === false || (inRange === null && i.temperatureInRange === false)) {
            out.push(finding('T1', 'error',
                'Specimen temperature outside 32-38 °C / 90-100 °F: collect a new specimen at once under direct observation (49 CFR 40.67).',
                '49 CFR 40.65(b)', inRange === false ? 'temperature' : 'temperatureInRange'));
        } else if (inRange === true && i.temperatureInRange === false) {
            out.push(finding('T1', 'warning',
                'The temperature reading is in range but "temperature in range" is marked No.',
                '49 CFR 40.65(b)', 'temperatureInRange'));
        }
        const minutes = num(i.temperatureReadMinutes);
        if (minutes !== null && minutes > 4) {
            out.push(finding('T1', 'error',
                'Temperature was read ' + minutes + ' minutes after the specimen was handed over; it must be read within 4 minutes.',
                '49 CFR 40.65(b)', 'temperatureReadMinutes'));
        }
        return out;
    }

    function T2(input) {
        const i = input || {};
        const out = [];
        if (isNonDot(i.authority)) return out;
        const band = alcoholBand(i.screenResult);
        if (band === null || band === 'negative') return out;
        if (!present(i.confirmationResult)) {
            out.push(finding('T2', 'error',
                'Screening result is 0.02 or higher: a confirmation test on an evidential breath tester is required.',
                '49 CFR 40.247(b)', 'confirmationResult'));
        }
        const wait = minutesBetweenTimes(i.screenTime, i.confirmationTime);
        if (wait !== null && wait < 15) {
            out.push(finding('T2', 'error',
                'Confirmation test started ' + wait + ' minutes after the screening test; the waiting period is at least 15 minutes.',
                '49 CFR 40.251(a)(1)', 'confirmationTime'));
        } else if (wait !== null && wait > 30) {
            out.push(finding('T2', 'error',
                'Confirmation test started ' + wait + ' minutes after the screening test; it must begin within 30 minutes. Record the reason in Remarks.',
                '49 CFR 40.251(a)(1)', 'confirmationTime'));
        }
        return out;
    }

    function T3(input) {
        const i = input || {};
        const out = [];
        if (isNonDot(i.authority)) return out;
        // The confirmation result is the result of record; a screen below 0.02 ends the test.
        let band = alcoholBand(i.confirmationResult);
        if (band === null && alcoholBand(i.screenResult) === 'negative') band = 'negative';
        const fmcsa = isFmcsaOrUnspecified(i.authority);
        const field = present(i.confirmationResult) ? 'confirmationResult' : 'screenResult';
        if (band === 'removal') {
            out.push(finding('T3', 'warning',
                fmcsa
                    ? 'Alcohol 0.02-0.039: no safety-sensitive duty until the next regularly scheduled duty period, and not less than 24 hours after the test.'
                    : 'Alcohol 0.02-0.039: remove temporarily from safety-sensitive duty for the period the agency rule sets.',
                fmcsa ? '49 CFR 382.505(a)' : '49 CFR 40.23(c)', field));
        } else if (band === 'violation') {
            out.push(finding('T3', 'warning',
                'Alcohol 0.04 or higher: safety-sensitive duty is prohibited; return needs a SAP evaluation and a return-to-duty test.',
                fmcsa ? '49 CFR 382.201' : '49 CFR 40.23(c)', field));
        }
        return out;
    }

    // ---- OSHA ---------------------------------------------------------------

    function O1(input) {
        const i = input || {};
        const due = addDays(i.learnedDate, 7);
        if (due === null) return [];
        const cite = '29 CFR 1904.29(b)(3)';
        if (present(i.completedDate)) {
            const late = daysBetween(due, i.completedDate);
            if (late !== null && late > 0) {
                return [finding('O-1', 'warning',
                    'Form 301 completed ' + formatUsDate(i.completedDate) + ', after the 7 calendar days that ended ' + formatUsDate(due) + '.',
                    cite, 'completedDate')];
            }
            return [];
        }
        const overdue = daysBetween(due, i.asOf);
        if (overdue !== null && overdue > 0) {
            return [finding('O-1', 'warning',
                'Form 301 was due by ' + formatUsDate(due) + ' (7 calendar days after the employer learned of the case).',
                cite, 'completedDate')];
        }
        return [];
    }

    // Calendar days in [from, to] after the day of injury, uncapped.
    function countedDays(injuryDate, from, to) {
        const inj = dayNumber(injuryDate), a = dayNumber(from), b = dayNumber(to);
        if (inj === null || a === null || b === null) return null;
        const start = Math.max(a, inj + 1);
        return b < start ? 0 : b - start + 1;
    }

    // Day of injury excluded; days away and restricted share one 180-day cap,
    // days away counted first.
    function oshaDayCounts(input) {
        const i = input || {};
        const away = countedDays(i.injuryDate, i.awayFrom, i.awayTo);
        const restricted = countedDays(i.injuryDate, i.restrictedFrom, i.restrictedTo);
        const daysAway = away === null ? null : Math.min(away, 180);
        const room = 180 - (daysAway || 0);
        const daysRestricted = restricted === null ? null : Math.min(restricted, room);
        return { daysAway, daysRestricted };
    }

    function oshaDayCount(injuryDate, from, to) {
        const n = countedDays(injuryDate, from, to);
        return n === null ? null : Math.min(n, 180);
    }

    function O2(input) {
        const i = input || {};
        const out = [];
        const counts = oshaDayCounts(i);
        // The cap is optional, so a full count agrees with the dates too.
        const kinds = [
            { from: 'awayFrom', to: 'awayTo', entered: 'daysAway', computed: counts.daysAway, label: 'days away', cite: '29 CFR 1904.7(b)(3)' },
            { from: 'restrictedFrom', to: 'restrictedTo', entered: 'daysRestricted', computed: counts.daysRestricted, label: 'days of restriction', cite: '29 CFR 1904.7(b)(4)' },
        ];
        for (const k of kinds) k.uncapped = countedDays(i.injuryDate, i[k.from], i[k.to]);
        for (const k of kinds) {
            const span = daysBetween(i[k.from], i[k.to]);
            if (span !== null && span < 0) {
                out.push(finding('O-2', 'warning', 'The ' + k.label + ' end before they start.', k.cite, k.to));
                continue;
            }
            const fromInjury = daysBetween(i.injuryDate, i[k.from]);
            if (fromInjury !== null && fromInjury <= 0) {
                out.push(finding('O-2', 'warning',
                    'The day of injury is not counted; ' + k.label + ' start on the day after.', k.cite, k.from));
            }
            const entered = num(i[k.entered]);
            if (entered !== null && entered > 180) {
                out.push(finding('O-2', 'warning',
                    'Days away and restricted may be capped at 180 in total.', '29 CFR 1904.7(b)(3)(vii)', k.entered));
            } else if (entered !== null && k.computed !== null && entered !== k.computed && entered !== k.uncapped) {
                out.push(finding('O-2', 'warning',
                    'Entered ' + entered + ' ' + k.label + '; the dates give ' + k.computed + '.', k.cite, k.entered));
            }
        }
        return out;
    }

    const PRIVACY_PATTERNS = [
        /\b(genital\w*|penis|penile|testic\w*|scrot\w*|vagin\w*|vulva\w*|breast|groin|rectum|rectal|anus|anal|reproductive)\b/i,
        /\b(sexual(ly)? assault\w*|rape|raped)\b/i,
        /\b(mental illness|depression|depressive|anxiety|ptsd|post-?traumatic stress|psychiatric|psychosis|schizo\w*|bipolar)\b/i,
        /\b(hiv|aids|hepatitis|tuberculosis|tb)\b/i,
        /\b(needle ?stick\w*|sharps?)\b/i,
    ];

    function O3(input) {
        const i = input || {};
        const out = [];
        const narratives = i.narratives || {};
        const keys = Object.keys(narratives).filter((k) => typeof narratives[k] === 'string');
        if (i.privacyCase !== true) {
            const hit = keys.find((k) => PRIVACY_PATTERNS.some((re) => re.test(narratives[k])));
            if (hit !== undefined) {
                out.push(finding('O-3', 'warning',
                    'The description suggests a privacy case (intimate body part, sexual assault, mental illness, HIV/hepatitis/TB, contaminated sharps): consider marking it as one.',
                    '29 CFR 1904.29(b)(7)', 'privacyCase'));
            }
        }
        const nameParts = present(i.employeeName)
            ? String(i.employeeName).split(/[\s,]+/).filter((p) => p.length >= 3)
            : [];
        const escape = (s) => s.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
        for (const k of keys) {
            const text = narratives[k];
            const named = nameParts.some((p) => new RegExp('\\b' + escape(p) + '\\b', 'i').test(text));
            const ssn = /\b\d{3}-\d{2}-\d{4}\b/.test(text);
            if (named || ssn) {
                out.push(finding('O-3', 'warning',
                    'Keep the narrative free of personal identifiers (the employee\'s name, SSN).',
                    i.privacyCase === true ? '29 CFR 1904.29(b)(9)' : '29 CFR 1904.41', k));
            }
        }
        return out;
    }

    const STS_FREQUENCIES = [2000, 3000, 4000];

    // Per ear: average shift against baseline and average hearing level at
    // 2000/3000/4000 Hz. Compared on sums so averages like 9.999... cannot occur.
    function standardThresholdShift(baseline, current) {
        const result = {};
        for (const ear of ['right', 'left']) {
            const b = baseline && baseline[ear], c = current && current[ear];
            const bv = STS_FREQUENCIES.map((f) => num(b && b[f]));
            const cv = STS_FREQUENCIES.map((f) => num(c && c[f]));
            if (bv.includes(null) || cv.includes(null)) {
                result[ear] = null;
                continue;
            }
            const shiftSum = cv.reduce((s, v, k) => s + v - bv[k], 0);
            const levelSum = cv.reduce((s, v) => s + v, 0);
            const sts = shiftSum >= 30;
            result[ear] = {
                averageShift: shiftSum / 3,
                averageLevel: levelSum / 3,
                sts,
                recordable: sts && levelSum >= 75,
            };
        }
        return result;
    }

    function O4(input) {
        const i = input || {};
        const out = [];
        const r = standardThresholdShift(i.baseline, i.current);
        const round = (v) => Math.round(v * 10) / 10;
        for (const ear of ['right', 'left']) {
            const e = r[ear];
            if (!e || !e.sts) continue;
            out.push(finding('O-4', 'warning',
                'Standard threshold shift in the ' + ear + ' ear: average ' + round(e.averageShift) +
                ' dB at 2000/3000/4000 Hz. Retest within 30 days if needed; notify the employee in writing within 21 days.',
                '29 CFR 1910.95(g)(10)(i)', ear));
            if (e.recordable) {
                out.push(finding('O-4', 'warning',
                    'Recordable hearing loss in the ' + ear + ' ear: threshold shift with an average hearing level of ' +
                    round(e.averageLevel) + ' dB (25 dB or more); record it on the OSHA 300 log.',
                    '29 CFR 1904.10', ear));
            }
        }
        return out;
    }

    function subItems(n, last) {
        const keys = [];
        for (let c = 'a'.charCodeAt(0); c <= last.charCodeAt(0); ++c) keys.push(n + String.fromCharCode(c));
        return keys;
    }

    const RESPIRATOR_SECTION1_ITEMS = ['1', '2', '3', '4', '5', '6', '7', '8', '9', '10', '11', '12'];
    const RESPIRATOR_SECTION2_ITEMS = [].concat(
        ['1'], subItems(2, 'e'), subItems(3, 'l'), subItems(4, 'n'), subItems(5, 'h'),
        subItems(6, 'f'), subItems(7, 'd'), subItems(8, 'e'), ['9']);
    const RESPIRATOR_FULL_FACEPIECE_ITEMS = [].concat(
        ['10'], subItems(11, 'd'), ['12'], subItems(13, 'c'), ['14'], subItems(15, 'j'));

    function fitTestDueBy(lastFitTestDate) {
        return addYears(lastFitTestDate, 1);
    }

    function O5(input) {
        const i = input || {};
        const out = [];
        const appC = '29 CFR 1910.134 App. C';
        if (i.section1) {
            const missing = RESPIRATOR_SECTION1_ITEMS.filter((k) => !present(i.section1[k]));
            if (missing.length) {
                out.push(finding('O-5', 'error',
                    'Part A Section 1 is incomplete: item' + (missing.length > 1 ? 's ' : ' ') + missing.join(', ') + '.',
                    appC, 'section1'));
            }
        }
        const s2 = i.section2;
        if (s2) {
            const neverUsed = s2['8none'] === true || (i.section1 && /^no$/i.test(String(i.section1['12'] || '').trim()));
            const required = RESPIRATOR_SECTION2_ITEMS.filter((k) => !(neverUsed && /^8[a-e]$/.test(k)));
            const missing = required.filter((k) => !answered(s2[k]));
            if (missing.length) {
                out.push(finding('O-5', 'error',
                    'Part A Section 2 is incomplete: question' + (missing.length > 1 ? 's ' : ' ') + missing.join(', ') + '.',
                    appC, 'section2'));
            }
            if (i.fullFacepieceOrScba === true) {
                const missingFull = RESPIRATOR_FULL_FACEPIECE_ITEMS.filter((k) => !answered(s2[k]));
                if (missingFull.length) {
                    out.push(finding('O-5', 'error',
                        'Questions 10-15 are required for a full-facepiece respirator or SCBA; unanswered: ' + missingFull.join(', ') + '.',
                        appC, 'section2'));
                }
            }
            const positive = RESPIRATOR_SECTION2_ITEMS.filter((k) => k !== '9' && yes(s2[k]));
            if (positive.length && i.followUpDone !== true) {
                if (i.cleared === true) {
                    out.push(finding('O-5', 'error',
                        '"Yes" to question' + (positive.length > 1 ? 's ' : ' ') + positive.join(', ') +
                        ': a follow-up medical examination is required before clearance.',
                        '29 CFR 1910.134(e)(3)(i)', 'cleared'));
                } else {
                    out.push(finding('O-5', 'warning',
                        '"Yes" to question' + (positive.length > 1 ? 's ' : ' ') + positive.join(', ') +
                        ': a follow-up medical examination is needed.',
                        '29 CFR 1910.134(e)(3)(i)', 'followUpDone'));
                }
            }
            if (yes(s2['9'])) {
                out.push(finding('O-5', 'warning',
                    'The employee asked to talk to the reviewer about the answers (question 9).', appC, 'section2'));
            }
        }
        const due = fitTestDueBy(i.fitTestDate);
        const overdue = due === null ? null : daysBetween(due, i.asOf);
        if (overdue !== null && overdue > 0) {
            out.push(finding('O-5', 'error',
                'The annual fit test was due by ' + formatUsDate(due) + '.', '29 CFR 1910.134(f)(2)', 'fitTestDate'));
        }
        if (i.facepieceChanged === true) {
            out.push(finding('O-5', 'error',
                'A different facepiece (size, style, model or make) needs a new fit test before use.',
                '29 CFR 1910.134(f)(2)', 'facepieceChanged'));
        }
        if (i.physicalConditionChanged === true) {
            out.push(finding('O-5', 'error',
                'A change in physical condition that could affect fit (weight, dental, facial scarring, cosmetic surgery) needs a new fit test.',
                '29 CFR 1910.134(f)(3)', 'physicalConditionChanged'));
        }
        return out;
    }

    function medicalRecordRetainUntil(employmentEndDate) {
        return addYears(employmentEndDate, 30);
    }

    function O6(input) {
        const i = input || {};
        const cite = '29 CFR 1910.1020(d)(1)(i)';
        if (i.employedUnderOneYear === true && i.recordsGivenToEmployee === true) return [];
        if (i.stillEmployed === true) {
            return [finding('O-6', 'warning',
                'Employee medical records are kept for the duration of employment plus 30 years.', cite, 'stillEmployed')];
        }
        const until = medicalRecordRetainUntil(i.employmentEndDate);
        const left = until === null ? null : daysBetween(i.asOf, until);
        if (left !== null && left > 0) {
            return [finding('O-6', 'warning',
                'Employee medical records are kept for the duration of employment plus 30 years: keep this one until ' + formatUsDate(until) + '.',
                cite, 'employmentEndDate')];
        }
        return [];
    }

    // ---- FMLA (29 CFR 825) ---------------------------------------------------

    function fmlaMinimumReturnBy(requestDate) {
        return addDays(requestDate, 15);
    }

    function L1(input) {
        const i = input || {};
        const min = fmlaMinimumReturnBy(i.requestDate);
        const short = min === null ? null : daysBetween(i.returnByDate, min);
        if (short !== null && short > 0) {
            return [finding('L-1', 'error',
                'The employee must be given at least 15 calendar days: return by ' + formatUsDate(min) + ' or later.',
                '29 CFR 825.305(b)', 'returnByDate')];
        }
        return [];
    }

    const VAGUE_DURATION = /\b(lifetime|life-long|lifelong|unknown|indeterminate|indefinite|undetermined)\b/i;

    function L2(input) {
        const i = input || {};
        const out = [];
        for (const r of i.ranges || []) {
            const span = daysBetween(r.from, r.to);
            if (span !== null && span < 0) {
                out.push(finding('L-2', 'error', 'The end date is before the start date.', '29 CFR 825.306(a)', r.field));
            }
        }
        for (const f of i.frequencies || []) {
            const parts = [f.frequency, f.frequencyUnit, f.duration, f.durationUnit];
            if (!parts.some(present)) continue;
            const freq = num(f.frequency), dur = num(f.duration);
            if (freq === null || freq <= 0 || dur === null || dur <= 0 || !present(f.frequencyUnit) || !present(f.durationUnit)) {
                out.push(finding('L-2', 'error',
                    'Give frequency and duration as numbers with units (e.g. 2 times per month, 1 day per episode).',
                    '29 CFR 825.306(a)', f.field));
            }
        }
        const texts = i.texts || {};
        for (const k of Object.keys(texts)) {
            if (typeof texts[k] === 'string' && VAGUE_DURATION.test(texts[k])) {
                out.push(finding('L-2', 'warning',
                    'Words like "lifetime", "unknown" or "indeterminate" may make the certification insufficient; give a best estimate.',
                    '29 CFR 825.305(c)', k));
            }
        }
        return out;
    }

    function L3(input) {
        const i = input || {};
        const out = [];
        if (i.exception === true) return out;
        const since = daysBetween(i.lastCertificationDate, i.requestDate);
        if (since === null) return out;
        if (i.withAbsence === false) {
            out.push(finding('L-3', 'warning',
                'Recertification may be requested only in connection with an absence.', '29 CFR 825.308(a)', 'withAbsence'));
        }
        const sixMonths = daysBetween(addMonths(i.lastCertificationDate, 6), i.requestDate) >= 0;
        let minEnd = dayNumber(i.minimumDurationEnd) !== null ? i.minimumDurationEnd : null;
        if (minEnd === null && num(i.minimumDurationDays) !== null) minEnd = addDays(i.lastCertificationDate, num(i.minimumDurationDays));
        const minDays = minEnd === null ? null : daysBetween(i.lastCertificationDate, minEnd);
        if (minDays !== null && minDays > 30) {
            if (daysBetween(minEnd, i.requestDate) < 0 && !sixMonths) {
                out.push(finding('L-3', 'warning',
                    'The certified minimum duration runs to ' + formatUsDate(minEnd) +
                    ': recertification not before then (or 6 months after the last certification).',
                    '29 CFR 825.308(b)', 'requestDate'));
            }
        } else if (since < 30) {
            out.push(finding('L-3', 'warning',
                'Recertification not more often than every 30 days.', '29 CFR 825.308(a)', 'requestDate'));
        }
        return out;
    }

    function L4(input) {
        const i = input || {};
        const out = [];
        const start = dayNumber(i.incapacityFrom), end = dayNumber(i.incapacityTo);
        const fullDays = start !== null && end !== null ? end - start + 1 : null;
        const visits = (i.visitDates || []).map(dayNumber).filter((d) => d !== null && start !== null && d >= start).sort((a, b) => a - b);
        const hasVisits = Array.isArray(i.visitDates) && i.visitDates.length > 0;
        const firstInWeek = visits.length > 0 && visits[0] - start <= 7;
        const enoughTreatment = visits.filter((d) => d - start <= 30).length >= 2 || i.regimenOfTreatment === true;
        const categories = Array.isArray(i.categories) ? i.categories : [];
        if (categories.includes('incapacity')) {
            if (fullDays !== null && fullDays <= 3) {
                out.push(finding('L-4', 'warning',
                    'Incapacity plus treatment needs more than 3 consecutive full calendar days of incapacity.',
                    '29 CFR 825.115(a)', 'incapacityTo'));
            }
            if (start !== null && hasVisits) {
                if (!firstInWeek) {
                    out.push(finding('L-4', 'warning',
                        'The first in-person visit must be within 7 days of the first day of incapacity.',
                        '29 CFR 825.115(a)(3)', 'visitDates'));
                }
                if (!enoughTreatment) {
                    out.push(finding('L-4', 'warning',
                        'Incapacity plus treatment needs 2 or more in-person visits within 30 days, or one visit with a regimen of continuing treatment.',
                        '29 CFR 825.115(a)(1)', 'visitDates'));
                }
            }
        }
        if (categories.includes('chronic')) {
            const perYear = num(i.visitsPerYear);
            if (perYear !== null && perYear < 2) {
                out.push(finding('L-4', 'warning',
                    'A chronic condition needs periodic visits for treatment at least twice a year.',
                    '29 CFR 825.115(c)(1)', 'visitsPerYear'));
            }
        }
        if (!categories.length && fullDays !== null && fullDays > 3 && firstInWeek && enoughTreatment) {
            out.push(finding('L-4', 'warning',
                'The dates fit "incapacity plus treatment"; no category is ticked.', '29 CFR 825.115(a)', 'category'));
        }
        return out;
    }

    function L5(input) {
        const i = input || {};
        if (typeof i.regime === 'string' && /^(title[\s-]?)?ii$/i.test(i.regime.trim())) {
            return [finding('L-5', 'warning',
                'Federal employees under FMLA Title II are covered by OPM\'s rules, not the DOL WH-380 forms; use the agency\'s own certification.',
                '5 CFR part 630, subpart L', 'regime')];
        }
        return [];
    }

    // ---- FECA (20 CFR 10) ------------------------------------------------------

    function ca16WindowEnd(injuryDate) {
        return addDays(injuryDate, 60);
    }

    function W1(input) {
        const i = input || {};
        const out = [];
        const cite = '20 CFR 10.300';
        const afterInjury = daysBetween(i.injuryDate, i.issuedDate);
        if (afterInjury !== null && afterInjury > 7) {
            out.push(finding('W-1', 'warning',
                'CA-16 issued more than one week after the injury: the employer is not required to issue it; OWCP must authorize care.',
                cite, 'issuedDate'));
        } else if (present(i.verbalDate)) {
            const toVerbal = minimumSpanMinutes(i.injuryDate, i.injuryTime, i.verbalDate, i.verbalTime);
            if (toVerbal !== null && toVerbal > 240) {
                out.push(finding('W-1', 'warning',
                    'Care should be authorized within 4 hours of the claimed injury.', cite, 'verbalDate'));
            }
            const toForm = minimumSpanMinutes(i.verbalDate, i.verbalTime, i.issuedDate, i.issuedTime);
            if (toForm !== null && toForm > 48 * 60) {
                out.push(finding('W-1', 'warning',
                    'After a verbal authorization the CA-16 should follow within 48 hours.', cite, 'issuedDate'));
            }
        } else {
            const span = minimumSpanMinutes(i.injuryDate, i.injuryTime, i.issuedDate, i.issuedTime);
            if (span !== null && span > 240) {
                out.push(finding('W-1', 'warning',
                    'CA-16 should be issued within 4 hours of the claimed injury.', cite, 'issuedDate'));
            }
        }
        if (i.occupationalDisease === true && i.owcpPermission !== true) {
            out.push(finding('W-1', 'warning',
                'For an occupational disease the employer may issue a CA-16 only with OWCP\'s prior permission.',
                cite, 'owcpPermission'));
        }
        return out;
    }

    function W2(input) {
        const i = input || {};
        const out = [];
        const end = ca16WindowEnd(i.injuryDate);
        const dates = Array.isArray(i.treatmentDates) ? i.treatmentDates : present(i.treatmentDate) ? [i.treatmentDate] : [];
        if (end !== null) {
            const late = dates.filter((d) => {
                const n = daysBetween(end, d);
                return n !== null && n > 0;
            });
            if (late.length) {
                out.push(finding('W-2', 'error',
                    'CA-16 covers treatment up to 60 days from the date of injury (through ' + formatUsDate(end) +
                    '); ' + late.map(formatUsDate).join(', ') + ' falls outside it.',
                    '20 CFR 10.300', Array.isArray(i.treatmentDates) ? 'treatmentDates' : 'treatmentDate'));
            }
        }
        if (i.surgery === true && i.emergency !== true && i.owcpApproval !== true) {
            out.push(finding('W-2', 'warning',
                'Non-emergency surgery needs OWCP approval before it is done.', '20 CFR 10.300-10.304', 'surgery'));
        }
        return out;
    }

    function W3(input) {
        const i = input || {};
        const out = [];
        const cite = 'Form CA-17, Side B';
        const activities = i.activities || {};
        const keys = Object.keys(activities);
        const restricted = keys.some((k) => activities[k] && (present(activities[k].hours) || present(activities[k].limit)))
            || present(i.restrictionsText);
        if (i.ableToPerformRegularWork === false && !restricted) {
            out.push(finding('W-3', 'error',
                'Not able to perform regular work: enter the restrictions (hours per activity, limits).',
                cite, 'activities'));
        }
        const perDay = num(i.hoursPerDay);
        if (perDay !== null) {
            for (const k of keys) {
                const h = num(activities[k] && activities[k].hours);
                if (h !== null && h > perDay) {
                    out.push(finding('W-3', 'error',
                        'Activity "' + k + '": ' + h + ' hours is more than the ' + perDay + ' hours a day.',
                        cite, 'activities.' + k));
                }
            }
        }
        return out;
    }

    // Words for pain at a site, which ICD-10-CM codes as a symptom (M54.2 cervicalgia,
    // M25.5- pain in joint, M79.1- myalgia, M54.5- low back pain).
    const PAIN_WORD = /\b(pain\w*|aches?|aching|sore\w*|lumbago|(cervic|dors|lumb|thorac|cephal|ot|odont|mast|gastr|gloss)algia|(poly)?arthralgia|myalgia|coccygodynia)\b/i;
    // -algia words that name a condition of their own.
    const NAMED_ALGIA = /(neuralgia|fibromyalgia|polymyalgia|meralgia|causalgia)/i;
    const OTHER_ALGIA = /\w+(algia|odynia)\b/i;
    const DIAGNOSIS_WORD = /(strain|sprain|fractur|contusion|laceration|abrasion|tear\b|torn|ruptur|dislocat|subluxat|hernia|herniat|itis\b|opathy|osis\b|syndrome|disease|disorder|burn|puncture|amputat|crush|concussion|avulsion|bursa|stenosis|impingement)/i;

    // 'pain' when every listed diagnosis names only pain, 'maybe' when the rest are
    // -algia words that may be no more than pain (metatarsalgia), '' otherwise.
    function diagnosisPainKind(diagnosis) {
        if (!present(diagnosis)) return '';
        const items = String(diagnosis).split(/[;\n,]+/).map((s) => s.trim()).filter(Boolean);
        const kinds = items.map((s) => {
            if (DIAGNOSIS_WORD.test(s) || NAMED_ALGIA.test(s)) return '';
            if (PAIN_WORD.test(s)) return 'pain';
            return OTHER_ALGIA.test(s) ? 'maybe' : '';
        });
        if (!kinds.length || kinds.includes('')) return '';
        return kinds.includes('maybe') ? 'maybe' : 'pain';
    }

    function diagnosisIsPainOnly(diagnosis) {
        return diagnosisPainKind(diagnosis) === 'pain';
    }

    function icdList(codes) {
        if (Array.isArray(codes)) return codes.filter(present).map((c) => String(c).trim());
        if (!present(codes)) return [];
        return String(codes).split(/[\s,;]+/).filter(Boolean);
    }

    function W4(input) {
        const i = input || {};
        const out = [];
        const cite = '20 CFR 10.330';
        const painKind = diagnosisPainKind(i.diagnosis);
        if (painKind === 'pain') {
            out.push(finding('W-4', 'error',
                'Pain is a symptom, not a diagnosis: name the condition that causes it.', cite, 'diagnosis'));
        } else if (painKind === 'maybe') {
            out.push(finding('W-4', 'warning',
                'The diagnosis may name only pain, a symptom: name the condition that causes it if there is one.', cite, 'diagnosis'));
        }
        const codes = icdList(i.icdCodes);
        if (!codes.length) {
            out.push(finding('W-4', 'error', 'An ICD code is required.', cite, 'icdCodes'));
        } else {
            const bad = codes.filter((c) => !/^[A-Z][0-9][0-9A-Z](\.?[0-9A-Z]{1,4})?$/i.test(c));
            if (bad.length) {
                out.push(finding('W-4', 'warning',
                    'Not an ICD-10-CM code: ' + bad.join(', ') + '.', cite, 'icdCodes'));
            }
        }
        if (yes(i.causation) && !present(i.causationExplanation)) {
            out.push(finding('W-4', 'error',
                'Causation "yes" needs the medical reasoning that links the condition to the employment.',
                cite, 'causationExplanation'));
        }
        if (typeof i.disability === 'string' && i.disability.trim().toLowerCase() === 'partial' && !present(i.limitations)) {
            out.push(finding('W-4', 'error',
                'Partial disability needs the work limitations.', cite, 'limitations'));
        }
        const span = daysBetween(i.disabilityFrom, i.returnDate);
        if (span !== null && span < 0) {
            out.push(finding('W-4', 'error',
                'The return date is before the start of disability.', cite, 'returnDate'));
        }
        return out;
    }

    // Degrees of the practitioners FECA counts as physicians: doctors of medicine and
    // osteopathy, podiatrists, dentists, optometrists, clinical psychologists.
    const PHYSICIAN_TOKEN = /^(MD|DO|MBBS|MBCHB|DPM|DDS|DMD|OD|PSYD)$/;
    const CHIROPRACTOR_TOKEN = /^(DC|CHIROPRACTOR)$/;
    // Nurses (FNP-BC, AGACNP, PMHNP, DNP, MSN, RN, ...) and physician assistants (PA-C, MPAS).
    const NP_PA_TOKEN = /^([A-Z]{0,5}NP(C|BC)?|APN|APRN|APRNBC|APRNCNP|CRNP|CNS|CNM|RN|BSN|MSN|LPN|LVN|PA|PAC|MPAS|MSPAS)$/;

    // The credential's words ("APRN, FNP-BC" -> APRN, FNPBC; "M.D." -> MD).
    function credentialTokens(text) {
        return String(text || '').toUpperCase().split(/[\s,;\/()&+]+/)
            .map((t) => t.replace(/[.\-']/g, '')).filter(Boolean);
    }

    function W5(input) {
        const i = input || {};
        if (i.cosignedByPhysician === true) return [];
        const tokens = credentialTokens(i.signerCredential);
        const occupation = String(i.signerOccupation || '').trim().toLowerCase();
        const field = present(i.signerCredential) || !present(occupation) ? 'signerCredential' : 'signerOccupation';
        if (tokens.some((t) => PHYSICIAN_TOKEN.test(t))) return [];
        const words = tokens.join(' ');
        if (tokens.some((t) => CHIROPRACTOR_TOKEN.test(t)) || (!tokens.length && occupation === 'chiropractor')) {
            return [finding('W-5', 'warning',
                'A chiropractor counts as a physician only for manual manipulation of the spine to correct a subluxation shown by x-ray.',
                '20 CFR 10.311', field)];
        }
        if (tokens.some((t) => NP_PA_TOKEN.test(t)) || /\bNURSE\b|\bPHYSICIANS? ASSISTANT\b|\bPHYSICIAN ASSOCIATE\b/.test(words)
            || occupation === 'pa' || occupation === 'apn') {
            return [finding('W-5', 'warning',
                'A nurse practitioner or physician assistant is not a physician under FECA: the report needs a physician\'s signature.',
                '5 U.S.C. 8101(2)', field)];
        }
        return [];
    }

    // ---- identifiers -------------------------------------------------------------

    // Luhn over the 10 digits with the card-issuer prefix 80840 in front.
    function npiIsValid(npi) {
        if (typeof npi !== 'string' && typeof npi !== 'number') return false;
        const s = String(npi).trim();
        if (!/^\d{10}$/.test(s)) return false;
        const digits = '80840' + s;
        let sum = 0;
        for (let k = 0; k < digits.length; ++k) {
            let d = digits.charCodeAt(digits.length - 1 - k) - 48;
            if (k % 2 === 1) {
                d *= 2;
                if (d > 9) d -= 9;
            }
            sum += d;
        }
        return sum % 10 === 0;
    }

    // Format only: 9 digits (dashes optional) and none of the never-issued
    // area/group/serial values. Says nothing about whether it was issued.
    function ssnFormatIsValid(ssn) {
        if (typeof ssn !== 'string') return false;
        const m = /^(\d{3})-?(\d{2})-?(\d{4})$/.exec(ssn.trim());
        if (!m) return false;
        return m[1] !== '000' && m[1] !== '666' && m[1][0] !== '9' && m[2] !== '00' && m[3] !== '0000';
    }

    function ID1(input) {
        const i = input || {};
        const out = [];
        for (const field of ['npi', 'groupNpi']) {
            if (present(i[field]) && !npiIsValid(i[field])) {
                out.push(finding('ID-1', 'error',
                    'Not a valid NPI: 10 digits with a correct check digit.', '45 CFR 162.406(a)', field));
            }
        }
        if (present(i.ssn) && !ssnFormatIsValid(i.ssn)) {
            out.push(finding('ID-1', 'error',
                'Not a valid SSN format (###-##-####; no 000, 666 or 9xx area, 00 group or 0000 serial).', 'SSA SSN format', 'ssn'));
        }
        return out;
    }

    const api = {
        // dates
        dayNumber, addDays, addMonths, addYears, daysBetween, formatUsDate, minutesBetweenTimes,
        // computations
        temperatureInRange, alcoholBand, oshaDayCount, oshaDayCounts, standardThresholdShift,
        fitTestDueBy, medicalRecordRetainUntil, fmlaMinimumReturnBy, ca16WindowEnd,
        diagnosisIsPainOnly, npiIsValid, ssnFormatIsValid,
        RESPIRATOR_SECTION1_ITEMS, RESPIRATOR_SECTION2_ITEMS, RESPIRATOR_FULL_FACEPIECE_ITEMS,
        // rules
        T1, T2, T3, O1, O2, O3, O4, O5, O6, L1, L2, L3, L4, L5, W1, W2, W3, W4, W5, ID1,
    };

    root.Kestrova = root.Kestrova || {};
    root.Kestrova.rulesWorkplace = api;
    if (typeof module === 'object' && module.exports) module.exports = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
