#!/usr/bin/env bash
# restart_session.sh FIRST-COMMAND... -- SECOND-COMMAND...
# Runs the first Windows program, restarts the Wine session as a restart of Windows would (the
# file operations registered for the restart are carried out as the new session starts), then
# runs the second program. A process cannot restart its own session, hence the two. Fails
# when either program fails; the second runs in any case, since it also cleans up.
#
# The session of WINEPREFIX ends with all its processes, so the test runs alone. Afterwards the
# new session has a persistent server again, as scripts/lib.sh starts it, so that the tests
# after this one still start their processes quickly.
set -u

if [ -z "${WINEPREFIX:-}" ]; then
    echo "restart_session.sh: WINEPREFIX is not set; refusing to end the default Wine session" >&2
    exit 2
fi

first=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    first+=("$1")
    shift
done
shift
second=("$@")
if [ ${#first[@]} -eq 0 ] || [ ${#second[@]} -eq 0 ]; then
    echo "usage: restart_session.sh FIRST-COMMAND... -- SECOND-COMMAND..." >&2
    exit 2
fi

status=0
echo "== first process: ${first[*]}"
wine "${first[@]}" || status=1

echo "== restarting the Wine session"
wineserver -k
wineserver -w
# The server and the session's background processes, which the first process of a session
# starts and which carry out the pending file operations, inherit the output handles: started
# here, they hold /dev/null rather than a pipe of ctest, which would then wait for them to end.
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1

echo "== second process: ${second[*]}"
wine "${second[@]}" || status=1
exit $status
