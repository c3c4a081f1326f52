# Sourced by the scripts. Chromium refuses to start as root with its sandbox on;
# ordinary users keep the sandbox.
if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
