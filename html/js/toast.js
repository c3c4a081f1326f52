// Brief confirmations ("Occupational record saved.") in a polite live region.
(function (root) {
    'use strict';

    let timer = null;

    function show(message) {
        const toast = document.getElementById('toast');
        if (!toast)
            return;
        toast.textContent = String(message === undefined || message === null ? '' : message).slice(0, 500);
        toast.classList.add('visible');
        if (timer)
            clearTimeout(timer);
        timer = setTimeout(function () {
            toast.classList.remove('visible');
            timer = null;
        }, 4000);
    }

    root.Kestrova = root.Kestrova || {};
    root.Kestrova.toast = { show: show };
})(typeof globalThis !== 'undefined' ? globalThis : this);
