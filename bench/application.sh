# Sourced by the scripts that measure the real application: sets app to the chart application of
# the build folder, and runs the calling script again under a virtual X display when there is none.
# Usage: startapplicationscript "$0" BUILD [further arguments of the script]
startapplicationscript() {
    local script=$1 build=$2
    app="$build/bin/quorvinthal"
    if [ ! -x "$app" ]; then
        echo "${script##*/}: $app not found; build it first (cmake --build $build)" >&2
        exit 1
    fi
    if [ -z "${DISPLAY:-}" ]; then
        exec xvfb-run -a -s "-screen 0 1920x1200x24" "$script" "${@:2}"
    fi
}
