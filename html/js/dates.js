// Calendar dates as plain 'YYYY-MM-DD' texts; no clock, no time zone.
(function (root) {
    'use strict';

    function daysInMonth(year, month) {
        return new Date(Date.UTC(year, month, 0)).getUTCDate();
    }

    // Returns { y, m, d } or null.
    function parse(text) {
        if (typeof text !== 'string')
            return null;
        const match = /^(\d{4})-(\d{2})-(\d{2})$/.exec(text);
        if (!match)
            return null;
        const y = Number(match[1]), m = Number(match[2]), d = Number(match[3]);
        if (m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m))
            return null;
        return { y: y, m: m, d: d };
    }

    function pad(n, width) {
        return String(n).padStart(width, '0');
    }

    function toText(date) {
        return pad(date.y, 4) + '-' + pad(date.m, 2) + '-' + pad(date.d, 2);
    }

    function isValid(text) {
        return parse(text) !== null;
    }

    // Same day of the month, months later; the last day of the month when that day is missing.
    function addMonths(text, months) {
        const date = parse(text);
        if (!date)
            return '';
        const index = date.y * 12 + (date.m - 1) + months;
        const y = Math.floor(index / 12), m = index % 12 + 1;
        return toText({ y: y, m: m, d: Math.min(date.d, daysInMonth(y, m)) });
    }

    function dayNumber(date) {
        return Date.UTC(date.y, date.m - 1, date.d) / 86400000;
    }

    function addDays(text, days) {
        const date = parse(text);
        if (!date)
            return '';
        const t = new Date((dayNumber(date) + days) * 86400000);
        return toText({ y: t.getUTCFullYear(), m: t.getUTCMonth() + 1, d: t.getUTCDate() });
    }

    // Whole days from a to b (b - a); NaN when either is not a date.
    function daysBetween(a, b) {
        const da = parse(a), db = parse(b);
        if (!da || !db)
            return NaN;
        return dayNumber(db) - dayNumber(da);
    }

    function compare(a, b) {
        return a < b ? -1 : (a > b ? 1 : 0);
    }

    // Age in whole years on a given date; NaN when unknown.
    function ageOn(birth, on) {
        const b = parse(birth), o = parse(on);
        if (!b || !o || compare(birth, on) > 0)
            return NaN;
        let age = o.y - b.y;
        if (o.m < b.m || (o.m === b.m && o.d < b.d))
            age -= 1;
        return age;
    }

    // mm/dd/yyyy, as printed on the forms; other texts come back unchanged.
    function toUs(text) {
        const date = parse(text);
        return date ? pad(date.m, 2) + '/' + pad(date.d, 2) + '/' + pad(date.y, 4) : (text || '');
    }

    function today() {
        const now = new Date();
        return toText({ y: now.getFullYear(), m: now.getMonth() + 1, d: now.getDate() });
    }

    const api = { parse: parse, isValid: isValid, addMonths: addMonths, addDays: addDays,
                  daysBetween: daysBetween, compare: compare, ageOn: ageOn, toUs: toUs, today: today };
    root.Kestrova = root.Kestrova || {};
    root.Kestrova.dates = api;
    if (typeof module === 'object' && module.exports)
        module.exports = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
