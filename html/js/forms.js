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

    const api = {
        FAMILIES: FAMILIES,
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
