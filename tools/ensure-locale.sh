#!/usr/bin/env bash
# Generates the zh_CN.UTF-8 locale when the system lacks it: Wine derives its ANSI code page (936)
# and its Chinese font substitutions from it, and without it Chinese text draws as boxes.
set -euo pipefail
if locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
    exit 0
fi
if ! command -v locale-gen >/dev/null; then
    echo "ensure-locale: locale-gen is missing; install the Debian package 'locales'" >&2
    exit 1
fi
sudo_cmd=()
[[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
if ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'zh_CN.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
fi
"${sudo_cmd[@]}" locale-gen >/dev/null
locale -a | grep -qix 'zh_CN.utf8' || { echo "ensure-locale: zh_CN.UTF-8 could not be generated" >&2; exit 1; }
