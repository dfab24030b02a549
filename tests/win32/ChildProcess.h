#pragma once
// This test program started again as a child process in a role: the child runs the test Child.Run,
// which acts out the role named by QUILLABY_CHILD_ROLE and ends with its answer as exit code.
// Without the variable that test is skipped.
#include <string>

namespace quillaby::test {

// The running test program's own file.
std::string OwnProgram();
// Starts the child in `role` through the launcher under test, with `niceValue`; its process id.
int StartChild(const std::string& role, int niceValue = 0);
// The role this process was started in; empty for the parent.
std::string ChildRole();

} // namespace quillaby::test
