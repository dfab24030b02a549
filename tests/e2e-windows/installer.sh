#!/usr/bin/env bash
# The installer under Wine, as a Windows user meets it: a silent install puts the saver into the
# system folder and the twin and help page into the program folder, writes "Path" and the uninstall
# entry and leaves the current screen saver alone; the installed saver runs (and with "Run As EXE"
# starts the twin from "Path"); /CURRENT makes it the current saver of the session's user and tells
# the session; a silent uninstall while the saver runs closes it, removes every file and key it
# made, clears that user's current saver and leaves the user's options; a file still held is left
# for the next restart, with exit code 3010.
# Wine has one account, so the session user's hive (HKU\<SID>) and the installer's own HKCU are one
# key here: the test shows the installer's way through the session's user, not two users told apart.
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

# Told to, the installer makes Quillaby the current screen saver of the session's user and tells
# the session, which the probe listens to.
wine "$probe" settings 300 >"$E2E_TMP/settings.out" 2>&1 &
e2e_track $!
for _ in $(seq 300); do grep -q ready "$E2E_TMP/settings.out" && break; sleep 0.1; done
grep -q ready "$E2E_TMP/settings.out" || fail "the probe does not listen: $(cat "$E2E_TMP/settings.out")"
wine reg add "$desktop" /v ScreenSaveActive /t REG_SZ /d 0 /f >/dev/null 2>&1
timeout 120 wine "$setup" /S /CURRENT >"$E2E_TMP/setup.out" 2>&1 || fail "the install with /CURRENT failed"
[[ $(wine_reg_str "$desktop" SCRNSAVE.EXE) == 'C:\windows\system32\quillaby.scr' ]] ||
  fail "/CURRENT did not make Quillaby the current saver: $(wine reg query "$desktop" 2>&1 | grep -i scr)"
[[ $(wine_reg_str "$desktop" ScreenSaveActive) == 1 ]] || fail "/CURRENT left the screen saver off"
for _ in $(seq 50); do grep -q 'settingchange 17' "$E2E_TMP/settings.out" && break; sleep 0.1; done
grep -q 'settingchange 17' "$E2E_TMP/settings.out" ||
  fail "the session was not told (SPI_SETSCREENSAVEACTIVE): $(tr -d '\r' <"$E2E_TMP/settings.out" | tr '\n' ' ')"

# Uninstalling while the saver runs: the saver is asked to close, ends as after a key, and goes too.
# The silent uninstaller copies itself away and returns at once: wait for its work to show.
wine 'C:\windows\system32\quillaby.scr' /s >"$E2E_TMP/saver.out" 2>&1 &
pid=$!
e2e_track $pid
wine_window Quillaby >/dev/null || fail "the installed saver showed no window: $(cat "$E2E_TMP/saver.out")"
timeout 60 wine "C:\\Program Files\\Harnwick Software\\Quillaby\\uninstall.exe" /S >"$E2E_TMP/un.out" 2>&1 ||
  fail "the silent uninstall failed: $(cat "$E2E_TMP/un.out")"
wine_wait_gone $pid 30 || fail "the uninstaller did not end the running saver"
[[ $(wine_exit_code $pid) == 0 ]] || fail "the saver closed by the uninstaller did not end with 0: $(cat "$E2E_TMP/saver.out")"
for _ in $(seq 600); do [[ -e "$drive/Program Files/Harnwick Software" ]] || break; sleep 0.1; done
[[ ! -e "$drive/Program Files/Harnwick Software" ]] || fail "files are left: $(find "$drive/Program Files/Harnwick Software")"
[[ ! -e $drive/windows/system32/quillaby.scr ]] || fail "quillaby.scr is left in the system folder"
for key in "$machine" 'HKLM\Software\Harnwick Software' "$uninstall"; do
  ! wine reg query "$key" >/dev/null 2>&1 || fail "the key $key is left"
done
[[ -z $(wine_reg_str "$desktop" SCRNSAVE.EXE) ]] || fail "the current screen saver still names the removed file"
[[ $(wine_reg_dword "$options" DollarCount) == 7 ]] || fail "the uninstall touched the user's options"
pending='HKLM\System\CurrentControlSet\Control\Session Manager'
! wine reg query "$pending" /v PendingFileRenameOperations 2>/dev/null | grep -qi quillaby ||
  fail "a closed saver's file was left for the next restart"

# A saver file that stays held (here by the probe) is removed at the next restart: the uninstaller,
# run in place to give its exit code (from a folder without spaces, which Wine would quote), answers
# 3010 (194 in the 8 bits of a Unix exit status) and leaves the file in the restart's list.
timeout 120 wine "$setup" /S '/D=C:\Quillaby' >"$E2E_TMP/setup.out" 2>&1 || fail "the second install failed"
wine "$probe" hold 'C:\windows\system32\quillaby.scr' 120 >"$E2E_TMP/hold.out" 2>&1 &
e2e_track $!
for _ in $(seq 300); do grep -q held "$E2E_TMP/hold.out" && break; sleep 0.1; done
grep -q held "$E2E_TMP/hold.out" || fail "the probe could not hold the saver file"
rc=0
timeout 120 wine 'C:\Quillaby\uninstall.exe' /S '_?=C:\Quillaby' >"$E2E_TMP/un.out" 2>&1 || rc=$?
[[ $rc == $((3010 % 256)) ]] || fail "the uninstall of a held file ended with $rc, not 3010 (restart needed)"
wine reg query "$pending" /v PendingFileRenameOperations 2>/dev/null | tr -d '\r\0' | grep -qi 'system32.quillaby\.scr' ||
  fail "the held file is not in the restart's list: $(wine reg query "$pending" 2>&1 | tr -d '\0')"
[[ -f $drive/windows/system32/quillaby.scr && ! -e $drive/Quillaby/quillaby.exe && ! -e $drive/Quillaby/quillaby.html ]] ||
  fail "the uninstall of a held file did not remove the rest: $(ls "$drive/Quillaby")"
echo ok
