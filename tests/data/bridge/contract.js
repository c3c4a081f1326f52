// The functions the program calls, each noting its call in window.calls.
window.calls = [];
function note(text) { window.calls.push(text); }
function buffer() { return document.getElementById('nativeBuffer'); }

function newRecord() { note('newRecord'); }
function loadRecord(text) { note('loadRecord:' + text); }
function collectRecord() { note('collectRecord'); return 'record text'; }
function collectDefaults() { note('collectDefaults'); return '{"clinic":{}}'; }
function applyPartial(text) { note('applyPartial:' + text); }
function showToast(text) { note('showToast:' + text); }
function validateRecord(flag) { note('validateRecord:' + flag); }
function fillTestData() { note('fillTestData'); }
function preparePrintCurrent() {
    note('preparePrintCurrent');
    document.getElementById('layout').textContent = 'Current form laid out for print';
}
function preparePrintPacket() {
    note('preparePrintPacket');
    document.getElementById('layout').textContent = 'Complete packet laid out for print';
}
