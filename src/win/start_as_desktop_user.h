// Starting what the person at the keyboard asked for with that person's own
// token. With over-the-shoulder elevation the setup runs as an administrator
// while a standard user sits at the desktop: a program or browser the setup
// started itself would run as the administrator. The desktop's own shell
// (Explorer, running as the desktop user) is asked to start it instead.
#pragma once

#include <string>

// Opens file (a program, started with its quoted path alone as the command
// line, or a web address) through the desktop shell window's own
// ShellExecute. True when the shell took it; false, with one trace line
// naming the step that failed, where there is no desktop shell to ask (a
// service, no shell running, a system without it): the caller then starts
// it itself.
bool StartAsDesktopUser(const std::string& file);
