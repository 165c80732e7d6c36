#pragma once
// An environment variable set (or removed, with nullopt) for the life of the object; its
// previous state comes back at the end of the test, also when an assertion ends it early.
#include <cstdlib>
#include <optional>
#include <string>

class VariableEntorno {
  public:
    VariableEntorno(const char* nombre, std::optional<std::string> valor) : nombre_(nombre) {
        if (const char* v = std::getenv(nombre)) anterior_ = v;
        if (valor)
            setenv(nombre, valor->c_str(), 1);
        else
            unsetenv(nombre);
    }
    ~VariableEntorno() {
        if (anterior_)
            setenv(nombre_, anterior_->c_str(), 1);
        else
            unsetenv(nombre_);
    }
    VariableEntorno(const VariableEntorno&) = delete;
    VariableEntorno& operator=(const VariableEntorno&) = delete;

  private:
    const char* nombre_;
    std::optional<std::string> anterior_;
};
