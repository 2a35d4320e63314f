// The shaders of the WebGL path and their build. A smoothed point of the
// fixed-function path is a disc whose rim fades out over one pixel; the
// sprite is a little larger than the dot to leave room for that rim.
#include "render/webgl_program.h"

#include <GLES2/gl2.h>

#include <vector>

namespace {

constexpr const char* kVertexShader = R"(
attribute vec3 position;
uniform mat4 projection;
uniform mat4 modelview;
uniform mediump float dotSize;  // as the fragment shader declares it
void main() {
  gl_Position = projection * (modelview * vec4(position, 1.0));
  gl_PointSize = dotSize + 2.0;
}
)";

// The one colour of every point; its alpha of 0.1 lets overlaps add up.
constexpr const char* kFragmentShader = R"(
precision mediump float;
uniform float dotSize;
void main() {
  vec2 offset = (gl_PointCoord - 0.5) * (dotSize + 2.0);
  float coverage = clamp(dotSize * 0.5 + 0.5 - length(offset), 0.0, 1.0);
  if (coverage <= 0.0) discard;
  gl_FragColor = vec4(0.9, 0.9, 0.7, 0.1 * coverage);
}
)";

template <class GetLength, class GetLog>
std::string infoLog(GLuint object, GetLength getLength, GetLog getLog) {
  GLint length = 0;
  getLength(object, GL_INFO_LOG_LENGTH, &length);
  std::vector<char> log(static_cast<size_t>(length > 0 ? length : 1));
  getLog(object, static_cast<GLsizei>(log.size()), nullptr, log.data());
  return log.data();
}

GLuint compile(GLenum stage, const char* source, std::string& error) {
  const GLuint shader = glCreateShader(stage);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled) return shader;
  error = std::string(stage == GL_VERTEX_SHADER ? "vertex" : "fragment") + " shader: " + infoLog(shader, glGetShaderiv, glGetShaderInfoLog);
  glDeleteShader(shader);
  return 0;
}

}  // namespace

bool buildWebGlProgram(WebGlProgram& out, std::string& error) {
  const GLuint vertex = compile(GL_VERTEX_SHADER, kVertexShader, error);
  const GLuint fragment = vertex ? compile(GL_FRAGMENT_SHADER, kFragmentShader, error) : 0;
  if (!fragment) {
    glDeleteShader(vertex);
    return false;
  }
  const GLuint program = glCreateProgram();
  glAttachShader(program, vertex);
  glAttachShader(program, fragment);
  glLinkProgram(program);
  glDeleteShader(vertex);  // the program keeps them while it lives
  glDeleteShader(fragment);
  GLint linked = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &linked);
  if (!linked) {
    error = "shader program does not link: " + infoLog(program, glGetProgramiv, glGetProgramInfoLog);
    glDeleteProgram(program);
    return false;
  }
  out.program = program;
  out.position = glGetAttribLocation(program, "position");
  out.projection = glGetUniformLocation(program, "projection");
  out.modelview = glGetUniformLocation(program, "modelview");
  out.dotSize = glGetUniformLocation(program, "dotSize");
  return true;
}
