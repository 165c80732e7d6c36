#pragma once
// The one mechanism behind "retry / ignore / leave": a procedure's steps run in order under a
// reporter; when a step fails, the reporter (usually a dialog) is asked and its answer decides:
// 4 (retry) runs the same step again, 5 (ignore) goes on with the next step, anything else
// leaves the procedure.
#include <functional>
#include <initializer_list>
#include <memory>
#include <type_traits>
#include <vector>

#include "ErrorEjecucion.h"

namespace helperlib {

/// Turns a failure into an answer code (3 abort, 4 retry, 5 ignore, ...).
using Reportero = std::function<int(const ErrorEjecucion&)>;

enum class Desenlace {
    Completo,   // every step ran (some may have been ignored)
    Abandonado  // a failure was answered with something other than retry or ignore
};

/// A step as the runners receive it: a reference to the caller's callable (a lambda written in
/// the call, a std::function the caller keeps), which is never copied. It must outlive the
/// call it is given to, as a lambda written in the call does.
class PasoRef {
  public:
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, PasoRef>>>
    PasoRef(F&& f)  // NOLINT: converts implicitly, as std::function does
        : objeto_(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
          llamar_([](void* o) { (*static_cast<std::remove_reference_t<F>*>(o))(); }) {}
    void operator()() const { llamar_(objeto_); }

  private:
    void* objeto_;
    void (*llamar_)(void*);
};

/// Runs one step under the reporter. Returns true when the procedure may go on (the step
/// succeeded or its failure was ignored), false when it must be left. Exceptions that are not
/// ErrorEjecucion are reported as error 5 with their text; ProgramaTerminado passes through.
bool EjecutarPaso(PasoRef paso, const Reportero& reportero);

/// Runs the steps in order, each through EjecutarPaso; stops at the first one left.
Desenlace EjecutarPasos(std::initializer_list<PasoRef> pasos, const Reportero& reportero);
Desenlace EjecutarPasos(const std::vector<std::function<void()>>& pasos,
                        const Reportero& reportero);

/// Reporters for the fixed policies: go on silently / leave silently.
int IgnorarSiempre(const ErrorEjecucion&);
int AbandonarSiempre(const ErrorEjecucion&);

}  // namespace helperlib
