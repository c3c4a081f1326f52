// Record model: one record holds the shared data once (patient, employer and job,
// visit measurements, clinic, provider, case) and each form's own data, plus the
// list of forms the record includes. Values are strings, or `true` for a ticked box;
// empty values are not stored. The text form is canonical JSON (fixed group order,
// sorted keys), so reading a saved text and writing it again gives the same bytes.
(function (root) {
    'use strict';

    const FORMAT = 'kestrova-record';
    const DEFAULTS_FORMAT = 'kestrova-defaults';
    const VERSION = 1;
    const SHARED_GROUPS = ['patient', 'employer', 'visit', 'clinic', 'provider', 'case'];
    const DEFAULT_GROUPS = ['clinic', 'provider', 'employer'];
    const MAX_VALUE_LENGTH = 65536;
    const MAX_KEYS_PER_GROUP = 2000;
    const MAX_FORMS = 200;
    const KEY_PATTERN = /^[A-Za-z][A-Za-z0-9_]{0,63}$/;
    const FORM_ID_PATTERN = /^[a-z0-9][a-z0-9-]{0,47}$/;

    function isPlainObject(value) {
        return value !== null && typeof value === 'object' && !Array.isArray(value);
    }

    function own(object, key) {
        return Object.prototype.hasOwnProperty.call(object, key);
    }

    function emptyGroup() {
        return Object.create(null);
    }

    function emptyRecord(includedForms) {
        const shared = emptyGroup();
        SHARED_GROUPS.forEach(function (group) { shared[group] = emptyGroup(); });
        return {
            forms: Array.isArray(includedForms) ? includedForms.slice() : [],
            shared: shared,
            formData: emptyGroup()
        };
    }

    class RecordError extends Error {}

    // Coerces one stored value; returns undefined for "no value". Throws RecordError
    // for a value that cannot be a field value.
    function coerceValue(value, where) {
        if (value === null || value === undefined || value === false || value === '')
            return undefined;
        if (value === true)
            return true;
        if (typeof value === 'number') {
            if (!Number.isFinite(value))
                throw new RecordError('The field "' + where + '" holds a number that is not valid.');
            return String(value);
        }
        if (typeof value === 'string') {
            if (value.length > MAX_VALUE_LENGTH)
                throw new RecordError('The field "' + where + '" is longer than ' + MAX_VALUE_LENGTH + ' characters.');
            return value;
        }
        throw new RecordError('The field "' + where + '" holds a list or group where a value belongs.');
    }

    function readGroup(source, where) {
        const group = emptyGroup();
        if (source === undefined || source === null)
            return group;
        if (!isPlainObject(source))
            throw new RecordError('The part "' + where + '" is not a group of fields.');
        const keys = Object.keys(source);
        if (keys.length > MAX_KEYS_PER_GROUP)
            throw new RecordError('The part "' + where + '" holds too many fields.');
        keys.forEach(function (key) {
            if (!KEY_PATTERN.test(key))
                throw new RecordError('The part "' + where + '" holds a field with an unexpected name.');
            const value = coerceValue(source[key], where + '.' + key);
            if (value !== undefined)
                group[key] = value;
        });
        return group;
    }

    function parseJsonObject(text, what) {
        let data;
        try {
            data = JSON.parse(text);
        } catch (e) {
            throw new RecordError('The text is not a ' + what + ' (it is not valid JSON).');
        }
        if (!isPlainObject(data))
            throw new RecordError('The text is not a ' + what + '.');
        return data;
    }

    function checkVersion(data, format, what) {
        if (data.format !== format)
            throw new RecordError('The text is not a ' + what + ' (unknown format).');
        if (typeof data.version !== 'number' || !Number.isInteger(data.version) || data.version < 1)
            throw new RecordError('The ' + what + ' has no valid version number.');
        if (data.version > VERSION)
            throw new RecordError('The ' + what + ' was written by a newer version of Kestrova (format version '
                + data.version + '); this version reads format version ' + VERSION + '.');
    }

    // A form whose fields changed shape registers how to read the old ones: the
    // upgrade gets the form's group of fields on reading and rewrites it in place.
    const upgrades = emptyGroup();

    function registerUpgrade(formId, upgrade) {
        upgrades[formId] = upgrade;
    }

    // Returns { ok: true, record } or { ok: false, error }. Never throws.
    function parseRecord(text) {
        try {
            if (typeof text !== 'string')
                throw new RecordError('No record text was given.');
            const data = parseJsonObject(text, 'Kestrova record');
            checkVersion(data, FORMAT, 'Kestrova record');
            const record = emptyRecord([]);
            if (data.forms !== undefined) {
                if (!Array.isArray(data.forms) || data.forms.length > MAX_FORMS)
                    throw new RecordError('The list of forms in the record is not valid.');
                data.forms.forEach(function (id) {
                    if (typeof id !== 'string' || !FORM_ID_PATTERN.test(id))
                        throw new RecordError('The list of forms in the record names a form that is not valid.');
                    if (record.forms.indexOf(id) < 0)
                        record.forms.push(id);
                });
            }
            if (data.shared !== undefined && !isPlainObject(data.shared))
                throw new RecordError('The shared part of the record is not a group of fields.');
            const shared = data.shared || {};
            Object.keys(shared).forEach(function (group) {
                if (SHARED_GROUPS.indexOf(group) < 0)
                    throw new RecordError('The record holds an unknown part "' + group.slice(0, 40) + '".');
                record.shared[group] = readGroup(shared[group], group);
            });
            if (data.formData !== undefined && !isPlainObject(data.formData))
                throw new RecordError('The form part of the record is not a group of forms.');
            const formData = data.formData || {};
            const formIds = Object.keys(formData);
            if (formIds.length > MAX_FORMS)
                throw new RecordError('The record holds too many forms.');
            formIds.forEach(function (id) {
                if (!FORM_ID_PATTERN.test(id))
                    throw new RecordError('The record holds data for a form with a name that is not valid.');
                const group = readGroup(formData[id], id);
                if (upgrades[id])
                    upgrades[id](group);
                if (Object.keys(group).length)
                    record.formData[id] = group;
            });
            return { ok: true, record: record };
        } catch (e) {
            const message = e instanceof RecordError ? e.message : 'The record could not be read.';
            return { ok: false, error: message };
        }
    }

    function sortedCopy(group) {
        const out = {};
        Object.keys(group || {}).sort().forEach(function (key) {
            const value = group[key];
            if (value === true || (typeof value === 'string' && value !== ''))
                out[key] = value;
        });
        return out;
    }

    function serializeRecord(record) {
        const shared = {};
        SHARED_GROUPS.forEach(function (group) { shared[group] = sortedCopy(record.shared[group]); });
        const formData = {};
        Object.keys(record.formData).sort().forEach(function (id) {
            const group = sortedCopy(record.formData[id]);
            if (Object.keys(group).length)
                formData[id] = group;
        });
        return JSON.stringify({
            format: FORMAT,
            version: VERSION,
            forms: record.forms.slice(),
            shared: shared,
            formData: formData
        }, null, 2);
    }

    // A field's path is "<group>.<key>", the group being a shared group or a form id.
    function splitPath(path) {
        const dot = path.indexOf('.');
        return { group: path.slice(0, dot), key: path.slice(dot + 1) };
    }

    function groupOf(record, name, create) {
        if (SHARED_GROUPS.indexOf(name) >= 0)
            return record.shared[name];
        if (!own(record.formData, name)) {
            if (!create)
                return null;
            record.formData[name] = emptyGroup();
        }
        return record.formData[name];
    }

    function getValue(record, path) {
        const p = splitPath(path);
        const group = groupOf(record, p.group, false);
        if (!group || !own(group, p.key))
            return '';
        return group[p.key];
    }

    function setValue(record, path, value) {
        const p = splitPath(path);
        const group = groupOf(record, p.group, true);
        if (value === true || (typeof value === 'string' && value !== ''))
            group[p.key] = value;
        else
            delete group[p.key];
    }

    function serializeDefaults(record) {
        const out = { format: DEFAULTS_FORMAT, version: VERSION };
        DEFAULT_GROUPS.forEach(function (group) { out[group] = sortedCopy(record.shared[group]); });
        return JSON.stringify(out, null, 2);
    }

    // Returns { ok, groups } where groups maps a defaults group to its values. Never throws.
    function parseDefaults(text) {
        try {
            if (typeof text !== 'string' || text.trim() === '')
                return { ok: false, error: '' };
            const data = parseJsonObject(text, 'defaults file');
            checkVersion(data, DEFAULTS_FORMAT, 'defaults file');
            const groups = {};
            DEFAULT_GROUPS.forEach(function (group) { groups[group] = readGroup(data[group], group); });
            return { ok: true, groups: groups };
        } catch (e) {
            return { ok: false, error: e instanceof RecordError ? e.message : 'The defaults could not be read.' };
        }
    }

    // Lays the defaults over the record: each default value replaces the record's value
    // of the same field; fields the defaults do not name are left alone.
    function applyDefaults(record, groups) {
        DEFAULT_GROUPS.forEach(function (group) {
            const values = groups[group] || {};
            Object.keys(values).forEach(function (key) { record.shared[group][key] = values[key]; });
        });
    }

    const api = {
        FORMAT: FORMAT,
        DEFAULTS_FORMAT: DEFAULTS_FORMAT,
        VERSION: VERSION,
        SHARED_GROUPS: SHARED_GROUPS,
        DEFAULT_GROUPS: DEFAULT_GROUPS,
        MAX_VALUE_LENGTH: MAX_VALUE_LENGTH,
        emptyRecord: emptyRecord,
        parseRecord: parseRecord,
        registerUpgrade: registerUpgrade,
        serializeRecord: serializeRecord,
        getValue: getValue,
        setValue: setValue,
        serializeDefaults: serializeDefaults,
        parseDefaults: parseDefaults,
        applyDefaults: applyDefaults
    };
    root.Kestrova = root.Kestrova || {};
    root.Kestrova.record = api;
    if (typeof module === 'object' && module.exports)
        module.exports = api;
})(typeof globalThis !== 'undefined' ? globalThis : this);
