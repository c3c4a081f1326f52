// Packing the print job into sheets: measured unit heights in, sheets out.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');

const dir = path.join(__dirname, '../../html/js');
for (const file of ['dates.js', 'record.js', 'forms.js', 'render.js', 'print.js'])
    require(path.join(dir, file));
const { paginate, cutText } = globalThis.Kestrova.print;

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

// Cutting a long text to what fits. The room is modelled as `lines` lines of `width`
// characters; a line break starts a new line, but one at the very end does not.
function room(text, width, lines) {
    return (n) => {
        const paragraphs = text.slice(0, n).split('\n');
        if (paragraphs.length > 1 && paragraphs[paragraphs.length - 1] === '')
            paragraphs.pop();
        return paragraphs.reduce((used, line) => used + Math.max(1, Math.ceil(line.length / width)), 0) <= lines;
    };
}

test('cuts a long text where a word ends', async (t) => {
    const cases = [
        { name: 'text that fits entirely', text: 'all of it\nfits', width: 10, lines: 2, first: 'all of it\nfits' },
        { name: 'after the last space that fits', text: 'alpha beta gamma delta', width: 13, lines: 1, first: 'alpha beta ' },
        { name: 'a word ending exactly at the room is kept whole',
          text: 'alpha beta gamma', width: 10, lines: 1, first: 'alpha ' },
        { name: 'after a line break', text: 'one two\nthree four five', width: 11, lines: 2, first: 'one two\nthree four ' },
        { name: 'a line break with no room after it', text: 'one\ntwo three', width: 5, lines: 1, first: 'one\n' },
        { name: 'inside a run of spaces, leaving the rest of the run',
          text: 'alpha     beta', width: 8, lines: 1, first: 'alpha   ' },
        { name: 'the run of blank lines between paragraphs', text: 'first\n\n\nsecond', width: 10, lines: 3, first: 'first\n\n\n' },
        { name: 'a word longer than the room, between characters',
          text: 'https://example.invalid/a/very/long/address', width: 10, lines: 2, first: 'https://example.inva' },
        { name: 'an emoji is not cut in half', text: '\u{1F600}\u{1F600}\u{1F600}', width: 3, lines: 1, first: '\u{1F600}' },
        { name: 'nothing fits', text: 'word', width: 10, lines: 0, first: '' },
    ];
    for (const c of cases) {
        await t.test(c.name, () => {
            const fits = room(c.text, c.width, c.lines);
            const n = cutText(c.text, fits);
            assert.equal(c.text.slice(0, n), c.first);
            if (n)
                assert.ok(fits(n));
        });
    }
});

test('the pieces of a cut text join up to the text, each one fitting', async (t) => {
    const words = ['a', 'clinic', 'note', 'of', 'several', 'words', 'pasted\n', '\n', 'in', 'parts', '\u{1F9EA}lab',
        'x'.repeat(37), '\u{1F600}'.repeat(30), 'end.\n\n\n', '  ', '\ttab'];
    let seed = 11;
    const next = (n) => (seed = (seed * 1103515245 + 12345) % 2147483648) % n;
    const texts = {
        'words, spaces, line breaks and long words': Array.from({ length: 400 }, () => words[next(words.length)]).join(' '),
        'one word longer than a line': 'y'.repeat(250),
        'surrogate pairs only': '\u{1F600}'.repeat(120),
        'starting with line breaks': '\n\n\nnote',
    };
    for (const [name, text] of Object.entries(texts)) {
        await t.test(name, () => {
            const pieces = [];
            for (let rest = text; rest;) {
                const fits = room(rest, 12, 3);
                const n = cutText(rest, fits);
                assert.ok(n > 0, 'each piece takes something');
                assert.ok(fits(n));
                const piece = rest.slice(0, n);
                rest = rest.slice(n);
                // Cut after a space or line break, unless the piece is one word.
                if (rest && /[ \n\t]/.test(piece))
                    assert.match(piece, /[ \n\t]$/);
                assert.ok(!/[\ud800-\udbff]$/.test(piece), 'no half of a surrogate pair');
                pieces.push(piece);
            }
            assert.equal(pieces.join(''), text);
        });
    }
});
