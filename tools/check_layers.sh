#!/usr/bin/env bash
# Every include points down the layers: the core knows nothing above it, the resources know only
# the platform interface, and only the Qt backend knows Qt.
set -euo pipefail
cd "$(dirname "$0")/.."

failed=0
# forbid FOLDER PATTERN WHY
forbid() {
    [ -d "$1" ] || return 0
    local found
    found=$(grep -rnE "#include [\"<]($2)" "$1" --include='*.h' --include='*.cpp' || true)
    if [ -n "$found" ]; then
        echo "$1 must not include $2 ($3):"
        echo "$found"
        failed=1
    fi
}

forbid common 'calendar/|judgement/|consultation/|dialogs/|records/|resources/|app/|platform/|cli/' 'the bottom layer'
forbid calendar 'judgement/|reading/|consultation/|dialogs/|records/|resources/|app/|platform/|cli/' 'the core is pure'
forbid judgement 'reading/|consultation/|dialogs/|records/|resources/|app/|platform/|cli/' 'the core is pure'
forbid reading 'consultation/|dialogs/|records/|resources/|app/|platform/|cli/' 'the core is pure'
forbid report 'consultation/|dialogs/|records/|resources/|app/|platform/|cli/' 'the report builds on the core alone'
forbid resources 'calendar/|judgement/|consultation/|dialogs/|records/|app/|cli/' 'resources are data'
forbid consultation 'dialogs/|records/|resources/|app/|cli/' 'consultation sits below the dialogs'
forbid dialogs 'records/|app/|cli/' 'dialogs sit below the shell'
forbid records 'app/|cli/' 'records sit below the shell; they open the chart panel'
forbid store 'dialogs/|records/|resources/|app/|cli/|platform/(ui|handles|qt/|script/|win32/)' 'the store shows no windows'
forbid platform 'calendar/|judgement/|consultation/|dialogs/|records/|resources/|app/|cli/' 'the platform serves every layer'
forbid cli 'dialogs/|resources/|app/|platform/(ui|handles|qt/|script/|win32/)' 'the tool shows no windows'
for folder in common calendar judgement reading report consultation store dialogs records resources app cli platform/script; do
    forbid "$folder" 'Q[A-Za-z]+>|Qt[A-Za-z]*/' 'only platform/qt knows Qt'
done
# What differs by system stays behind platform/files.h and platform/console.h.
for folder in common calendar judgement consultation store dialogs records resources app cli; do
    forbid "$folder" 'fcntl\.h|unistd\.h|poll\.h|sys/|windows\.h' 'system calls live in platform/'
done
# SQL stays behind store/.
for folder in common calendar judgement reading report consultation dialogs records resources app cli platform; do
    forbid "$folder" 'sqlite3\.h' 'only store/ speaks to SQLite'
done
exit $failed
