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
#
# Every step waits for what it does to be done, however long a busy machine
# makes it take; one that fails says so instead of ending the run without a
# word. Wine now and then fails to start a program at all, so the registry
# change gets a second start, as the test runner gives a test.

wine_session_start() {
  export WINEPREFIX="$1" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1
  LC_ALL=zh_CN.UTF-8 wineboot -i >/dev/null 2>&1 ||
    { echo "wine-session: wineboot could not make the prefix $WINEPREFIX" >&2; return 1; }
  for _ in 1 2; do
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 && return 0
  done
  echo "wine-session: Wine could not turn its crash dialog off in $WINEPREFIX" >&2
  return 1
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
}
