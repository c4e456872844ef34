#pragma once
// Two ways to drive the program from outside, both read from the environment when the main window
// first shows:
//   QUORVEL_STARTUP_PROBE=1           on the first idle moment after the window has painted,
//                                     print "quorvel-startup-ms=… rss-kb=… clock-ns=…" to
//                                     standard error and close the window (bench/startup.sh)
//   QUORVEL_SCREENSHOT_COMMAND=<id>   shortly after the window has painted, send it that
//                                     command, as if chosen from the menu (tools/screenshot.sh)

namespace quorvel::platform::qt {

class MainWindow;

void armStartupHooks(MainWindow* window);

}  // namespace quorvel::platform::qt
