// The command buttons: each asks the program for a command by navigating to
// "kiv:<command>"; the program cancels that navigation, so the page stays.
(function (root) {
    'use strict';

    const GROUPS = [
        { label: 'Record', commands: [['new', 'New'], ['open', 'Open\u2026'], ['save', 'Save'], ['save-as', 'Save As\u2026']] },
        { label: 'Print', commands: [['preview-current', 'Preview Form'], ['print-current', 'Print Form\u2026'],
                                     ['preview-packet', 'Preview Packet'], ['print-packet', 'Print Packet\u2026']] },
        { label: 'Clinic defaults', commands: [['defaults-save', 'Save Defaults'], ['defaults-apply', 'Apply Defaults']] },
        { label: 'Tools', commands: [['validate', 'Validate'], ['fake', 'Test Data']] },
        { label: 'Application', commands: [['about', 'About'], ['exit', 'Exit']] }
    ];

    function send(command) {
        root.location.href = 'kiv:' + command;
    }

    function build(container) {
        GROUPS.forEach(function (group) {
            const g = document.createElement('div');
            g.className = 'command-group';
            g.setAttribute('role', 'group');
            g.setAttribute('aria-label', group.label);
            group.commands.forEach(function (c) {
                const button = document.createElement('button');
                button.type = 'button';
                button.className = 'command';
                button.dataset.command = c[0];
                button.textContent = c[1];
                button.addEventListener('click', function () { send(c[0]); });
                g.appendChild(button);
            });
            container.appendChild(g);
        });
    }

    root.Kestrova = root.Kestrova || {};
    root.Kestrova.commands = { GROUPS: GROUPS, send: send, build: build };
})(typeof globalThis !== 'undefined' ? globalThis : this);
