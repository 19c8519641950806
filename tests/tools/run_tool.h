// Runs one of the console tools of tests/tools from a test, in the native
// build and under Wine alike.
#pragma once

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <string>

// Runs the tool at toolPath (as the build names it) with the arguments
// (already quoted), its output in the file output; the exit status.
inline int RunTool(const std::string& toolPath, const std::string& args, const std::string& output) {
  std::string tool = toolPath;
#ifdef _WIN32
  // Under Wine the build folder is reached through drive Z:.
  for (char& c : tool)
    if (c == '/')
      c = '\\';
  tool = "Z:" + tool;
  const std::string command = "\"\"" + tool + "\" " + args + " > \"" + output + "\"\"";
#else
  const std::string command = "\"" + tool + "\" " + args + " > \"" + output + "\"";
#endif
  int status = std::system(command.c_str());
#ifndef _WIN32
  if (status != -1 && WIFEXITED(status))
    status = WEXITSTATUS(status);
#endif
  return status;
}
