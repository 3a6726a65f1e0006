# Sourced by the scripts that run Windows programs under Wine:
#
#   . scripts/windows/wine-session.sh
#   wine_session_start build/windows-tests/wine
#   trap wine_session_stop EXIT
#
# A prefix of the build's own, so that a run never depends on ~/.wine;
# Wine neither offers to download its .NET and HTML engines nor adds menu
# entries to the user's desktop, and a program that crashes ends instead
# of waiting in Wine's crash dialog for a click that never comes.
#
# Wine starts once, before CTest, with its output sent to /dev/null, and
# its server stays up for the whole run. Started by the first test instead,
# its services would keep that test's output pipe open and CTest would wait
# for ever; a server that comes and goes between tests drops connections
# ("recvmsg: Connection reset by peer").

wine_session_start() {
  export WINEPREFIX="$1" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1
  LC_ALL=zh_CN.UTF-8 wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
}
