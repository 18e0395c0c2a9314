#pragma once
// The name part of a function entry: the identifier that stands right before
// the entry's first "(", without its return type, calling-convention macros
// or pointer marks. It is what a user means by the function's name when
// looking for it in a long list.

#include <string_view>

namespace quill {

// "GLAPI void APIENTRY glUniform4f(GLint location, GLfloat v0)" gives
// "glUniform4f"; blanks between the name and "(" are skipped. Where "(*"
// opens the entry's declarator, the name is the one after the "*":
// "void (*Handler(int a))(int)" gives "Handler". Empty when the entry has no
// "(" or no identifier stands there.
std::string_view FunctionNamePart(std::string_view entry);

}  // namespace quill
