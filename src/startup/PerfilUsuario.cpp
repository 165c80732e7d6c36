#include "PerfilUsuario.h"

#include <chrono>

#include "Configuracion.h"
#include "DB_Dll.h"
#include "Formatos.h"
#include "Lanzador.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Sistema.h"
#include "Texto.h"
#include "Utilidades.h"
#include "ValoresSesion.h"

using namespace helperlib;
using namespace data;

namespace startup {

void IniContable(DB_Dll& db, ValoresSesion& s) {
    EjecutarPasos({
                      [&] { s.gEscribeSoloMayusculas = EsSi(Cfg(db, "ESCRIBE_SOLO_MAYUSCULAS")); },
                      [&] { s.gBloqueoActivo = EsSi(Cfg(db, "SS_BloqueoActivo")); },
                      [&] { s.gPeriodo = Cfg(db, "PERIODO"); },
                      [&] {
                          const auto unidad = db.DatosTabla("ta_usuarios", s.gUsuarioLogeado,
                                                            "UNegocio", "nombre", tipodato::kTexto);
                          s.gUNegocio = AjustarAncho(TextoDeValor(unidad.value_or("")), 4);
                      },
                      [&] {
                          // The data layer redirects the journal by this flag as well.
                          s.gConfidencialidad = EsSi(Cfg(db, "SS_CONFIDENCIALIDAD"));
                          db.gConfidencialidad = s.gConfidencialidad;
                      },
                      [&] {
                          // A user without a business unit gets unit 1 (the width-4 text of nothing
                          // is blank, not empty).
                          if (EsTextoVacio(s.gUNegocio)) s.gUNegocio = "   1";
                      },
                      [&] { s.gColorFondo = NumeroDeTexto(Cfg(db, "CFondo")); },
                      [&] { s.gColorLetra = NumeroDeTexto(Cfg(db, "CLetra")); },
                      [&] {
                          if (s.gColorFondo == 0) s.gColorFondo = 0xFFFF00;
                      },
                  },
                  ReporteroConOpciones("IniContable"));
}

std::string SentenciaControlAcceso(std::string_view usuario, std::string_view ejecutable) {
    return std::string(
               "SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre ") +
           " FROM TA_TAREAS INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave " +
           " WHERE (TA_TAREAS.USUARIO = '" + texto::DuplicarApostrofes(usuario) +
           " ') AND (TA_MENU.Proceso LIKE '%" + texto::DuplicarApostrofes(ejecutable) + "%')";
}

namespace {

std::string Mayusculas(std::string_view s) { return texto::Mayusculas(texto::Recortar(s)); }

// The ID the engine gave the row just inserted, when the recordset did not bring it back.
std::string IdentidadInsertada(DB_Dll& db) {
    std::string sql;
    switch (db.gCnn.DialectoSql()) {
        case Dialecto::Sqlite:
            sql = "SELECT last_insert_rowid() AS ID";
            break;
        case Dialecto::SqlServer:
            sql = "SELECT @@IDENTITY AS ID";
            break;
        case Dialecto::Oracle:
            return {};
    }
    Recordset rs = db.gCnn.Execute(sql);
    return rs.State() == estado_objeto::kAbierto && !rs.EOF() ? TextoDeValor(rs.Fields("ID"))
                                                              : std::string();
}

}  // namespace

void ControlAcceso(DB_Dll& db, ValoresSesion& s, bool rechazar) {
    const std::string ejecutable = NombreEjecutable();
    std::string tarea;
    bool guardado = false;
    Recordset rs, registro;
    EjecutarPasos(
        {
            [&] {
                if (s.gUsuarioLogeado.empty()) s.gUsuarioLogeado = db.gUsuario;
            },
            [&] {
                std::string sql = SentenciaControlAcceso(s.gUsuarioLogeado, ejecutable);
                db.AbrirRecordset(sql, rs, nullptr, cursor::kSoloAvance, bloqueo::kSoloLectura);
            },
            [&] {
                if (!rs.BOF()) {
                    rs.MoveFirst();
                    tarea = TextoDeValor(rs.Fields("Nombre"));
                } else if (texto::IgualesSinCaso(ejecutable, "LD000PR")) {
                    tarea = "Menu Principal";
                } else if (rechazar) {
                    plataforma().MsgBox(
                        "NO TIENE ACCESO A ESTE PROCESO, UTILICE EL MENU CORRESPONDIENTE!!!",
                        estilo::kCritico | estilo::kSoloOk, "ATENCION!");
                    plataforma().Terminar(kFinSinAcceso);
                }
            },
            [&] { db.CierraRecordset(rs); },
            [&] {
                registro.Open("Select top 1 * from Control_Acceso", db.gCnn, cursor::kDinamico,
                              bloqueo::kOptimista);
            },
            [&] { registro.AddNew(); },
            [&] { registro.Poner("Maquina", Mayusculas(NombreMaquina())); },
            [&] { registro.Poner("Usuario", Mayusculas(UsuarioSistema())); },
            [&] { registro.Poner("Formulario", Mayusculas(ejecutable)); },
            [&] { registro.Poner("Tarea", Mayusculas(tarea)); },
            [&] { registro.Poner("Ingreso", TextoFechaHora(std::chrono::system_clock::now())); },
            [&] { registro.Poner("NombreUsuario", s.gUsuarioLogeado); },
            [&] {
                registro.Update();
                guardado = true;
            },
            [&] {
                if (!guardado) return;
                std::string id = TextoDeValor(registro.Fields("ID"));
                if (id.empty()) id = IdentidadInsertada(db);
                s.gIdControlAcceso = id;
            },
            [&] { db.CierraRecordset(registro); },
        },
        IgnorarSiempre);
}

}  // namespace startup
