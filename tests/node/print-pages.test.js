// Packing the print job into sheets: measured unit heights in, sheets out.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');

const dir = path.join(__dirname, '../../html/js');
for (const file of ['dates.js', 'record.js', 'forms.js', 'render.js', 'print.js'])
    require(path.join(dir, file));
const paginate = globalThis.Kestrova.print.paginate;

// Unit shorthands: a plain unit, a form's head kept with what follows, a section that
// may split between its blocks (head 10, tail 5 around them).
const unit = (height, extra) => Object.assign({ height }, extra);
const head = (height) => ({ height, keepWithNext: true });
const section = (blocks, extra) => Object.assign({ height: 15 + blocks.reduce((a, b) => a + b, 0), head: 10, tail: 5, blocks }, extra);

// Sheets written as lists of 'form.unit' or 'form.unit[from-to)' for a split part.
function show(sheets) {
    return sheets && sheets.map((parts) => parts.map((p) => p.form + '.' + p.unit + (p.from === undefined ? '' : '[' + p.from + '-' + p.to + ')')));
}

test('packs units into sheets', async (t) => {
    const cases = [
        { name: 'units that fit share a sheet, exactly to the capacity',
          forms: [[unit(40), unit(60)]], expected: [['0.0', '0.1']] },
        { name: 'a unit that does not fit starts the next sheet whole',
          forms: [[unit(40), unit(61), unit(30)]], expected: [['0.0'], ['0.1', '0.2']] },
        { name: 'each form starts a sheet',
          forms: [[unit(10)], [unit(10)], [unit(10)]], expected: [['0.0'], ['1.0'], ['2.0']] },
        { name: 'a new-page unit starts a sheet, but not an empty one',
          forms: [[unit(10, { newPage: true }), unit(10), unit(10, { newPage: true })]], expected: [['0.0', '0.1'], ['0.2']] },
        { name: 'a head goes with the unit after it',
          forms: [[unit(50), head(20), unit(40)]], expected: [['0.0'], ['0.1', '0.2']] },
        { name: 'a head goes with the first part of a tall section',
          forms: [[unit(60), head(20), section([30, 30, 30, 30])]],
          expected: [['0.0'], ['0.1', '0.2[0-2)'], ['0.2[2-4)']] },
        { name: 'a head stays put when it and what follows do not fit any sheet together',
          forms: [[unit(10), head(50), unit(60)]], expected: [['0.0', '0.1'], ['0.2']] },
        { name: 'a section taller than a sheet splits between blocks, starting in the room left',
          forms: [[unit(40), section([20, 20, 20, 20, 20])]],
          expected: [['0.0', '0.1[0-2)'], ['0.1[2-5)']] },
        { name: 'a split starts a new sheet when not even its first block fits',
          forms: [[unit(80), section([30, 30, 30, 30])]],
          expected: [['0.0'], ['0.1[0-2)'], ['0.1[2-4)']] },
        { name: 'a split section is followed on its last sheet',
          forms: [[section([40, 40, 40]), unit(10)]], expected: [['0.0[0-2)'], ['0.0[2-3)', '0.1']] },
        { name: 'an empty form still takes a sheet', forms: [[]], expected: [[]] },
        { name: 'no forms, no sheets', forms: [], expected: [] },
    ];
    for (const c of cases)
        await t.test(c.name, () => assert.deepEqual(show(paginate(c.forms, 100)), c.expected));
});

test('refuses what no sheet can hold, so that nothing is cut', async (t) => {
    const cases = [
        { name: 'a unit without blocks taller than a sheet', forms: [[unit(10)], [unit(101)]] },
        { name: 'a section with one block taller than a sheet', forms: [[section([20, 90, 20])]] },
        { name: 'a section without blocks taller than a sheet', forms: [[section([], { height: 150 })]] },
        { name: 'a head taller than a sheet', forms: [[head(120), unit(10)]] },
    ];
    for (const c of cases)
        await t.test(c.name, () => assert.equal(paginate(c.forms, 100), null));
});

test('every block is placed once, in order, and no sheet is over full', () => {
    // A larger job: sections of varied sizes, some taller than a sheet.
    const forms = [];
    let seed = 7;
    const next = (n) => (seed = (seed * 1103515245 + 12345) % 2147483648) % n;
    for (let f = 0; f < 6; ++f) {
        const units = [head(12 + next(10))];
        for (let s = 0; s < 8; ++s)
            units.push(section(Array.from({ length: 1 + next(12) }, () => 3 + next(25)), { newPage: next(6) === 0 }));
        forms.push(units);
    }
    const capacity = 100;
    const sheets = paginate(forms, capacity);
    assert.ok(sheets);
    const seen = [];
    for (const parts of sheets) {
        assert.equal(new Set(parts.map((p) => p.form)).size, 1, 'one form per sheet');
        let used = 0;
        for (const p of parts) {
            const u = forms[p.form][p.unit];
            if (p.from === undefined) {
                used += u.height;
                (u.blocks || [null]).forEach((_, b) => seen.push([p.form, p.unit, b]));
            } else {
                used += u.head + u.tail + u.blocks.slice(p.from, p.to).reduce((a, b) => a + b, 0);
                for (let b = p.from; b < p.to; ++b)
                    seen.push([p.form, p.unit, b]);
            }
        }
        assert.ok(used <= capacity, `sheet holds ${used}`);
    }
    const expected = [];
    forms.forEach((units, f) => units.forEach((u, i) => (u.blocks || [null]).forEach((_, b) => expected.push([f, i, b]))));
    assert.deepEqual(seen, expected);
});
