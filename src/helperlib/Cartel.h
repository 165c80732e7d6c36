#pragma once
// The progress notice as long-running procedures see it: open it with a title, show up to
// three lines of progress (and learn whether the user asked to cancel), close it, and keep it
// above other windows or not. The widget library implements it; logic that has no Qt receives
// one from its caller.
#include <concepts>
#include <optional>
#include <string>
#include <utility>

namespace helperlib {

/// One line handed to CartelMostrar: not given (the line keeps its text), Null (the line
/// becomes empty) or a value shown as text.
class LineaCartel {
  public:
    /// Not given.
    LineaCartel() = default;
    /// Null: an empty line.
    LineaCartel(std::nullopt_t) : dada_(true) {}
    LineaCartel(std::string texto) : dada_(true), texto_(std::move(texto)) {}
    LineaCartel(const char* texto) : dada_(true), texto_(texto ? texto : "") {}
    /// A column value: Null gives an empty line.
    LineaCartel(const std::optional<std::string>& valor)
        : dada_(true), texto_(valor.value_or(std::string())) {}
    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>) LineaCartel(T numero)
        : dada_(true), texto_(std::to_string(numero)) {}

    bool Dada() const { return dada_; }
    /// The text to show ("" for Null).
    const std::string& Texto() const { return texto_; }

  private:
    bool dada_ = false;
    std::string texto_;
};

class Cartel {
  public:
    virtual ~Cartel() = default;

    /// Opens the notice with `titulo`; the cancel button is offered only when
    /// `permiteCancelar`. Does not wait for anything.
    virtual void CartelInicio(const std::string& titulo, bool permiteCancelar) = 0;
    /// Sets the lines that are given, repaints, sets `cancelado` to whether the user pressed
    /// cancel since the notice was opened, then lets pending user-interface events run (the
    /// animation and a click on cancel are taken only here).
    virtual void CartelMostrar(bool& cancelado, const LineaCartel& l1 = {},
                               const LineaCartel& l2 = {}, const LineaCartel& l3 = {}) = 0;
    /// Closes the notice; the next operation opens a fresh one (cancel state cleared).
    virtual void CartelCerrar() = 0;
    /// True keeps the notice above every other window; false lets other windows (a question
    /// to the user) come in front of it.
    virtual void Siempre_Visible(bool valor) = 0;
};

}  // namespace helperlib
