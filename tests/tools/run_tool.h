// Runs one of the console tools of tests/tools from a test, in the native
// build and under Wine alike. The tool is started directly, not through a
// shell: under Wine a start through cmd.exe costs about half a second more.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

// Runs the tool at toolPath (as the build names it) with the arguments
// (already quoted, as on a command line: words split at blanks outside
// double quotes), its output in the file output ("NUL": none); the exit
// status, -1 when it did not start.
inline int RunTool(const std::string& toolPath, const std::string& args, const std::string& output) {
#ifdef _WIN32
  // Under Wine the build folder is reached through drive Z:.
  std::string tool = "Z:" + toolPath;
  for (char& c : tool)
    if (c == '/')
      c = '\\';
  // The runtime's spawn joins its words with blanks into the command line,
  // and gives the tool this program's descriptors: its output goes to the
  // file while it runs.
  const int fd = _open(output.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0)
    return -1;
  std::fflush(stdout);
  const int saved = _dup(1);
  _dup2(fd, 1);
  _close(fd);
  const std::string quoted = "\"" + tool + "\"";
  const char* const argv[] = {quoted.c_str(), args.c_str(), nullptr};
  const int status = (int)_spawnv(_P_WAIT, tool.c_str(), argv);
  std::fflush(stdout);
  _dup2(saved, 1);
  _close(saved);
  return status;
#else
  std::vector<std::string> words;
  std::string word;
  bool bWord = false, bQuoted = false;
  for (char c : args) {
    if (c == '"') {
      bQuoted = !bQuoted;
      bWord = true;
    } else if ((c == ' ' || c == '\t') && !bQuoted) {
      if (bWord)
        words.push_back(word);
      word.clear();
      bWord = false;
    } else {
      word += c;
      bWord = true;
    }
  }
  if (bWord)
    words.push_back(word);
  std::vector<char*> argv;
  std::string tool = toolPath;
  argv.push_back(&tool[0]);
  for (std::string& w : words)
    argv.push_back(&w[0]);
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, output == "NUL" ? "/dev/null" : output.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  int status = -1;
  if (posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), environ) == 0 &&
      waitpid(pid, &status, 0) == pid)
    status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  else
    status = -1;
  posix_spawn_file_actions_destroy(&actions);
  return status;
#endif
}
