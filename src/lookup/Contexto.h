#pragma once
// The program's shared things, built once in main() and handed down by reference: the data
// access object, the session values and the lookup driver. The desktop seam (plataforma()) is
// installed by main() beside it. It lives in the lookup library because the lookup driver is
// the highest layer it owns; the start-up and the access logic take only the pieces they need
// (the data access object, the session values) and so never see this type.
#include <optional>

#include "DB_Dll.h"
#include "Lib_ClsCons3.h"
#include "ValoresSesion.h"

namespace lookup {

class Contexto {
  public:
    /// The data access object reads the session user from `sesion`.
    Contexto();
    Contexto(const Contexto&) = delete;
    Contexto& operator=(const Contexto&) = delete;

    data::DB_Dll db;
    startup::ValoresSesion sesion;

    /// The lookup driver, created on first use: it reads its configuration values then, so it
    /// is first asked for after the start-up has opened the connection.
    Lib_ClsCons3& Consultas();

  private:
    std::optional<Lib_ClsCons3> consultas_;
};

}  // namespace lookup
