// Loads the forms page's scripts into this Node process, in the page's own order, and
// returns the page's `Kestrova` namespace. Without a list: the record model, every
// form with its rules, and the test data.
'use strict';
const path = require('node:path');

const ALL_FORMS = ['dates.js', 'record.js', 'forms.js', 'rules-dot.js', 'rules-dot-adapter.js', 'forms-dot.js',
    'forms-clinic.js', 'rules-workplace.js', 'rules-workplace-adapter.js', 'forms-osha.js', 'forms-fmla.js',
    'forms-owcp.js', 'testdata.js'];

module.exports = function loadPageScripts(files) {
    for (const file of files || ALL_FORMS)
        require(path.join(__dirname, '../../html/js', file));
    return globalThis.Kestrova;
};
