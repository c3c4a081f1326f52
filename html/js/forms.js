// Form registry. A form is a declarative definition: sections made of blocks
// (rows of fields, yes/no lists, tables, computed values, notes). Every field names
// the record path it is bound to ("patient.lastName", "mcsa-5875.determination"),
// so a field that appears on several forms is entered once. Validators are
// registered next to the forms they check.
(function (root) {
    'use strict';

    const FAMILIES = [
        { id: 'dot', label: 'DOT / FMCSA' },
        { id: 'osha', label: 'OSHA' },
        { id: 'fmla', label: 'FMLA' },
        { id: 'owcp', label: 'OWCP / FECA' },
        { id: 'clinic', label: 'Clinic' }
    ];

    // The order in which a packet prints; forms not named here print after these.
    const PACKET_ORDER = [
        'visit-face-sheet', 'work-status', 'ca-16', 'ca-17', 'ca-20', 'osha-301',
        'mcsa-5875', 'mcsa-5870', 'mcsa-5871', 'mcsa-5876',
        'respirator-questionnaire', 'plhcp-recommendation', 'drug-alcohol',
        'pre-placement', 'wh-380-e', 'wh-380-f'
    ];

    // Tags of shared data, as marked on the forms.
    const TAGS = {
        P: 'Patient', E: 'Employer / job', C: 'Clinic default', V: 'Examiner default',
        I: 'Injury or claim', X: 'This visit'
    };

    const TAG_OF_GROUP = { patient: 'P', employer: 'E', clinic: 'C', provider: 'V', 'case': 'I', visit: 'X' };

    const definitions = [];
    const validators = [];

    function register(definition) {
        if (!definition || !definition.id || get(definition.id))
            throw new Error('Form definition without a unique id');
        definitions.push(definition);
        return definition;
    }

    function get(id) {
        for (let i = 0; i < definitions.length; ++i) {
            if (definitions[i].id === id)
                return definitions[i];
        }
        return null;
    }

    function list() {
        return definitions.slice();
    }

    function byFamily(family) {
        return definitions.filter(function (d) { return d.family === family; });
    }

    function packetRank(id) {
        const i = PACKET_ORDER.indexOf(id);
        return i >= 0 ? i : PACKET_ORDER.length;
    }

    // Known forms among `ids`, in packet order.
    function inPacketOrder(ids) {
        return ids.filter(function (id) { return get(id); }).slice().sort(function (a, b) {
            return packetRank(a) - packetRank(b) || (a < b ? -1 : a > b ? 1 : 0);
        });
    }

    function defaultForms() {
        return inPacketOrder(definitions.filter(function (d) { return d.includedByDefault; })
            .map(function (d) { return d.id; }));
    }

    // Every field of a definition, in order, with its section.
    function fieldsOf(definition) {
        const out = [];
        definition.sections.forEach(function (section) {
            section.blocks.forEach(function (block) {
                if (block.row)
                    block.row.forEach(function (f) {
                        if (f.path)
                            out.push({ field: f, section: section });
                    });
                else if (block.type === 'choices')
                    block.items.forEach(function (item) {
                        out.push({ field: item, section: section });
                        if (item.commentPath)
                            out.push({ field: { path: item.commentPath, label: item.label + ' (comment)', type: 'text' }, section: section });
                    });
                else if (block.type === 'table')
                    block.rows.forEach(function (row) {
                        row.cells.forEach(function (cell) {
                            if (cell)
                                out.push({ field: cell, section: section });
                        });
                    });
            });
        });
        return out;
    }

    function tagOf(field) {
        if (field.tag)
            return field.tag;
        return TAG_OF_GROUP[field.path.slice(0, field.path.indexOf('.'))] || '';
    }

    function registerValidator(validator) {
        validators.push(validator);
    }

    // Findings of every validator that checks a form of the record.
    function validate(record, context) {
        let findings = [];
        validators.forEach(function (v) {
            if (v.forms.some(function (id) { return record.forms.indexOf(id) >= 0; }))
                findings = findings.concat(v.validate(record, context));
        });
        return findings;
    }

    // Builders for form definitions: field(type, path, label, width, extra).
    function field(type, path, label, width, extra) {
        return Object.assign({ type: type, path: path, label: label, width: width || 3 }, extra || {});
    }
    function opts(pairs) {
        return pairs.map(function (p) { return { value: p[0], label: p[1] }; });
    }
    const STATES = ['', 'AL', 'AK', 'AZ', 'AR', 'CA', 'CO', 'CT', 'DE', 'DC', 'FL', 'GA', 'HI', 'ID', 'IL', 'IN', 'IA', 'KS',
            'KY', 'LA', 'ME', 'MD', 'MA', 'MI', 'MN', 'MS', 'MO', 'MT', 'NE', 'NV', 'NH', 'NJ', 'NM', 'NY', 'NC', 'ND', 'OH',
            'OK', 'OR', 'PA', 'RI', 'SC', 'SD', 'TN', 'TX', 'UT', 'VT', 'VA', 'WA', 'WV', 'WI', 'WY', 'AS', 'GU', 'MP', 'PR',
            'VI'].map(function (s) { return { value: s, label: s === '' ? '\u2014' : s }; });
    // A patient's address or driver's licence may be Canadian or Mexican.
    const STATES_PROVINCES = STATES.concat(['AB', 'BC', 'MB', 'NB', 'NL', 'NS', 'NT', 'NU', 'ON', 'PE', 'QC', 'SK', 'YT']
        .map(function (s) { return { value: s, label: s + ' (Canada)' }; }))
        .concat([{ value: 'MX', label: 'Mexico' }]);
    const builders = {
        field: field,
        opts: opts,
        text: field.bind(null, 'text'),
        date: field.bind(null, 'date'),
        time: field.bind(null, 'time'),
        number: field.bind(null, 'number'),
        area: field.bind(null, 'textarea'),
        box: field.bind(null, 'checkbox'),
        tel: field.bind(null, 'tel'),
        radio: function (path, label, options, width, extra) {
            return field('radio', path, label, width || 6, Object.assign({ options: options }, extra || {}));
        },
        select: function (path, label, options, width, extra) {
            return field('select', path, label, width || 3, Object.assign({ options: options }, extra || {}));
        },
        computed: function (label, width, compute) {
            return { type: 'computed', label: label, width: width, compute: compute };
        },
        YES_NO: opts([['yes', 'Yes'], ['no', 'No']]),
        // The usual work requirements of the CA-17, items a to t; `limit` is the unit of
        // the activity's one extra measure (weight, temperature range, noise level).
        ACTIVITIES: [
            ['a', 'Lifting/carrying', 'lb max.'], ['b', 'Sitting'], ['c', 'Standing'], ['d', 'Walking'],
            ['e', 'Climbing'], ['f', 'Kneeling'], ['g', 'Bending/stooping'], ['h', 'Twisting'],
            ['i', 'Pulling/pushing'], ['j', 'Simple grasping'], ['k', 'Fine manipulation (includes keyboarding)'],
            ['l', 'Reaching above shoulder'], ['m', 'Driving a vehicle'], ['n', 'Operating machinery'],
            ['o', 'Temperature extremes', '\u00b0F'], ['p', 'High humidity'], ['q', 'Chemicals, solvents, etc.'],
            ['r', 'Fumes/dust'], ['s', 'Noise', 'dBA'], ['t', 'Other']
        ].map(function (a) { return { key: a[0], label: a[1], limit: a[2] || '' }; }),
        STATES: STATES,
        STATES_PROVINCES: STATES_PROVINCES
    };

    // The a-to-t activity grid: hours per day and the activity's limit, under
    // `<group>.<prefix><KEY>Hours` and `...Limit`.
    builders.activityTable = function (caption, group, prefix) {
        return {
            type: 'table', caption: caption, columns: ['Hours per day', 'Limit'],
            rows: builders.ACTIVITIES.map(function (a) {
                const key = group + '.' + prefix + a.key.toUpperCase();
                return {
                    label: a.key + '. ' + a.label,
                    cells: [field('number', key + 'Hours', a.label + ', hours per day', 0, { unit: 'h' }),
                            a.limit ? field('text', key + 'Limit', a.label + ', ' + a.limit, 0, { unit: a.limit }) : null]
                };
            })
        };
    };

    const api = {
        FAMILIES: FAMILIES,
        builders: builders,
        PACKET_ORDER: PACKET_ORDER,
        TAGS: TAGS,
        register: register,
        get: get,
        list: list,
        byFamily: byFamily,
        inPacketOrder: inPacketOrder,
        defaultForms: defaultForms,
        fieldsOf: fieldsOf,
        tagOf: tagOf,
        registerValidator: registerValidator,
        validate: validate
    };
    root.Kestrova = root.Kestrova || {};
    root.Kestrova.forms = api;
    if (typeof module === 'object' && module.exports)
        module.exports = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
