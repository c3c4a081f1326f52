#pragma once

// Whether the browser engine can start in this process: its helper program is
// installed and, for root on Linux, its sandbox has been switched off (Chromium
// refuses to start as root otherwise, and takes the process down with it).
bool BrowserEngineAvailable();
