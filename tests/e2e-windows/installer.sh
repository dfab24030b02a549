#!/usr/bin/env bash
# The installer under Wine, as a Windows user meets it: a silent install puts the saver into the
# system folder and the twin and help page into the program folder, writes "Path" and the uninstall
# entry and leaves the current screen saver alone; the installed saver runs (and with "Run As EXE"
# starts the twin from "Path"); /CURRENT makes it the current saver; a silent uninstall removes every
# file and key it made and leaves the user's options.
set -euo pipefail
source "$(dirname "$0")/../e2e/lib/common.sh"
source "$(dirname "$0")/../e2e/lib/wine.sh"
wine_e2e "$@"
setup=$build/quillaby-setup.exe
[[ -f $setup ]] || fail "the Windows build made no $setup"
start_xvfb 800x600x24
wine_start

options='HKCU\Software\Harnwick Software\Quillaby'
machine='HKLM\Software\Harnwick Software\Quillaby'
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillaby'
desktop='HKCU\Control Panel\Desktop'
drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/Harnwick Software/Quillaby"
wine reg add "$options" /v DollarCount /t REG_DWORD /d 7 /f >/dev/null 2>&1 # the user's own option
wine reg delete "$desktop" /v SCRNSAVE.EXE /f >/dev/null 2>&1 || true

rc=0
timeout 120 wine "$setup" /S >"$E2E_TMP/setup.out" 2>&1 || rc=$?
[[ $rc == 0 ]] || fail "the silent install ended with $rc: $(cat "$E2E_TMP/setup.out")"
cmp -s "$program" "$drive/windows/system32/quillaby.scr" || fail "quillaby.scr is not in the system folder"
cmp -s "$build/quillaby.exe" "$folder/quillaby.exe" || fail "quillaby.exe is not in the program folder"
cmp -s "$build/quillaby.html" "$folder/quillaby.html" || fail "quillaby.html is not in the program folder"
[[ -f $folder/uninstall.exe ]] || fail "no uninstaller"
path=$(wine_reg_str "$machine" Path)
[[ $path == 'C:\Program Files\Harnwick Software\Quillaby\' ]] || fail "Path is '$path'"
[[ $(wine_reg_str "$uninstall" UninstallString) == '"C:\Program Files\Harnwick Software\Quillaby\uninstall.exe"' ]] ||
  fail "no uninstall entry: $(wine reg query "$uninstall" 2>&1)"
[[ -z $(wine_reg_str "$desktop" SCRNSAVE.EXE) ]] || fail "a silent install changed the current screen saver"

# The installed saver, started the way the system starts it; a key ends it.
run_installed() { # what the window must belong to
  wine 'C:\windows\system32\quillaby.scr' /s >"$E2E_TMP/saver.out" 2>&1 &
  pid=$!
  e2e_track $pid
  window=$(wine_window Quillaby) || fail "the installed saver showed no window: $(cat "$E2E_TMP/saver.out")"
  [[ -n $(wine_pgrep "$1") ]] || fail "no process '$1' runs the saver: $(pgrep -af quillaby)"
  xdotool key space
  wine_wait_gone $pid 30 || fail "a key did not end the installed saver"
  [[ $(wine_exit_code $pid) == 0 ]] || fail "the installed saver did not end with 0: $(cat "$E2E_TMP/saver.out")"
  [[ -z $(wine_pgrep 'quillaby\.(scr|exe)') ]] || fail "a saver process outlived the run: $(pgrep -af quillaby)"
}
run_installed '^C:.windows.system32.quillaby\.scr /s$'
import -window root "$E2E_TMP/installed.png" 2>/dev/null || true

# "Run As EXE": the saver file starts Path + quillaby.exe /s and ends with it.
wine reg add "$options" /v RunAsExe /t REG_DWORD /d 1 /f >/dev/null 2>&1
run_installed '^C:.Program Files.Harnwick Software.Quillaby.quillaby\.exe /s$'
wine reg delete "$options" /v RunAsExe /f >/dev/null 2>&1

# Told to, the installer makes Quillaby the current screen saver.
timeout 120 wine "$setup" /S /CURRENT >"$E2E_TMP/setup.out" 2>&1 || fail "the install with /CURRENT failed"
[[ $(wine_reg_str "$desktop" SCRNSAVE.EXE) == 'C:\windows\system32\quillaby.scr' ]] ||
  fail "/CURRENT did not make Quillaby the current saver: $(wine reg query "$desktop" 2>&1 | grep -i scr)"

# The silent uninstaller copies itself away and returns at once: wait for its work to show.
timeout 60 wine "C:\\Program Files\\Harnwick Software\\Quillaby\\uninstall.exe" /S >"$E2E_TMP/un.out" 2>&1 ||
  fail "the silent uninstall failed: $(cat "$E2E_TMP/un.out")"
for _ in $(seq 600); do [[ -e "$drive/Program Files/Harnwick Software" ]] || break; sleep 0.1; done
[[ ! -e "$drive/Program Files/Harnwick Software" ]] || fail "files are left: $(find "$drive/Program Files/Harnwick Software")"
[[ ! -e $drive/windows/system32/quillaby.scr ]] || fail "quillaby.scr is left in the system folder"
for key in "$machine" 'HKLM\Software\Harnwick Software' "$uninstall"; do
  ! wine reg query "$key" >/dev/null 2>&1 || fail "the key $key is left"
done
[[ -z $(wine_reg_str "$desktop" SCRNSAVE.EXE) ]] || fail "the current screen saver still names the removed file"
[[ $(wine_reg_dword "$options" DollarCount) == 7 ]] || fail "the uninstall touched the user's options"
echo ok
