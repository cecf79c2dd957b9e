#!/bin/sh
# The engine's subsystems take what they use (an emitter, a drawing, a board):
# only the job folder, which runs them against the shared context, includes it.
if grep -rn -E '#include *"job/(JobContext|JobSteps)\.h"' "$1" --exclude-dir=job; then
    echo "an engine folder includes the job context" >&2
    exit 1
fi
