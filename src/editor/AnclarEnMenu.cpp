#include "AnclarEnMenu.h"

#include <cstdio>

#include "DB_Dll.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;
using namespace data;

namespace editor {

namespace {

constexpr const char* kInsertarMenu =
    "INSERT INTO TA_MENU (MENU,TITULO,CLAVE,NOMBRE,IMAGEN,PROCESO,HABILITADO) ";

std::string Q(const std::string& s) { return texto::DuplicarApostrofes(s); }

/// "00" format of the entry number.
std::string DosCifras(int n) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d", n);
    return b;
}

/// Runs a statement; what the database refuses is a failure of the step.
void Ejecutar(DB_Dll& db, std::string sql) { db.EjecutaConsultaComprobada(std::move(sql)); }

/// Opens a query; a recordset left closed (its failure already told by the data layer) is a
/// failure of the step too: deciding on rows that were never read would add a second entry.
void Abrir(DB_Dll& db, std::string sql, Recordset& rs, int tipoBloqueo) {
    db.AbrirRecordset(sql, rs, nullptr, cursor::kDinamico, tipoBloqueo);
    if (rs.State() == 1) return;
    if (!db.gCnn.Errors().Vacia()) {
        const ErrorAdo& e = db.gCnn.Errors().Item(0);
        throw ErrorEjecucion(e.Numero, e.Descripcion, e.Origen,
                             DetalleBaseDatos{e.EstadoSql, e.Nativo, "", e.TextoMotor});
    }
    throw ErrorEjecucion(errnum::kEFail, "No se pudo leer el menú: " + sql);
}

/// Grants task `tarea` of the system LD000PR to the user, unless already granted.
void Conceder(DB_Dll& db, const std::string& usuario, const std::string& tarea) {
    const std::string condicion =
        "USUARIO = '" + Q(usuario) + "' AND SISTEMA = 'LD000PR' AND TAREA = '" + Q(tarea) + "'";
    if (db.ExisteEnTabla("TA_TAREAS", usuario, "USUARIO", nullptr, 8, condicion)) return;
    Ejecutar(db, "INSERT INTO TA_TAREAS (USUARIO,SISTEMA,TAREA) VALUES ('" + Q(usuario) +
                     "','LD000PR','" + Q(tarea) + "')");
}

/// Number of the next template entry from the last row of the menu query: 1 when only the
/// group row 'D95' is there, else the number after the highest key ('D954107' gives 8).
int SiguienteNumero(Recordset& rs) {
    rs.MoveLast();
    const std::string clave = texto::Recortar(rs.Fields("Clave").Texto());
    if (texto::Largo(clave) == 3) return 1;
    return NumeroDeTexto(texto::Medio(clave, 6)) + 1;
}

bool Anclar(DB_Dll& db, const std::string& nombre, const DatosAnclaje& d,
            const Reportero& reportero) {
    Recordset menu;
    Recordset entrada;
    int n = 1;
    bool vacio = false;
    bool existe = false;
    const std::string proceso = ProcesoDeModelo(nombre, d.LiqTarjetas);
    const Desenlace desenlace = EjecutarPasos(
        {[&] {
             Abrir(db,
                   "SELECT * FROM TA_MENU WHERE TITULO =  'D9541' OR CLAVE ='D95' ORDER BY CLAVE",
                   menu, bloqueo::kSoloLectura);
             vacio = menu.BOF();
         },
         [&] {
             if (!vacio) return;
             // The parent may already be there without the group row: never add it twice.
             if (!db.ExisteEnTabla("TA_MENU", "D9541", "CLAVE"))
                 Ejecutar(db, std::string(kInsertarMenu) + " VALUES(" + "'OMNI'," + "'D95'," +
                                  "'D9541' ," + "'Asientos Modelo (Carga)'," + "'Utilidades'," +
                                  "''," + "1)");
             Conceder(db, d.Usuario, "D9541");
             n = 1;
         },
         [&] {
             if (!vacio) n = SiguienteNumero(menu);
         },
         [&] {
             Abrir(db,
                   "SELECT * FROM TA_MENU WHERE TITULO = 'D9541' AND NOMBRE = '" + Q(nombre) + "'",
                   entrada, bloqueo::kOptimista);
             existe = !entrada.BOF();
         },
         [&] {
             if (existe) {
                 Ejecutar(db, "UPDATE TA_MENU SET PROCESO = '" + Q(proceso) +
                                  "' WHERE TITULO = 'D9541' AND NOMBRE = '" + Q(nombre) + "'");
                 return;
             }
             const std::string clave = "D9541" + DosCifras(n);
             Ejecutar(db, std::string(kInsertarMenu) + " VALUES(" + "'OMNI'," + "'D9541'," + "'" +
                              clave + "'," + "'" + Q(nombre) + "'," + "'Utilidades','" +
                              Q(proceso) + "'," + "1)");
             Conceder(db, d.Usuario, clave);
         }},
        reportero);
    db.CierraRecordset(entrada);
    db.CierraRecordset(menu);
    return desenlace == Desenlace::Completo;
}

bool Desanclar(DB_Dll& db, const std::string& nombre, const Reportero& reportero) {
    std::string clave;
    Recordset resto;
    const Desenlace desenlace = EjecutarPasos(
        {[&] {
             clave = db.DatosTabla("TA_MENU", "D9541", "Clave", "TITULO", 8,
                                   " TITULO = 'D9541' AND NOMBRE = '" + Q(nombre) + "'")
                         .value_or("");
             clave = texto::Recortar(clave);
         },
         [&] {
             Ejecutar(db, "DELETE TA_MENU WHERE TITULO = 'D9541' AND NOMBRE = '" + Q(nombre) + "'");
         },
         [&] {
             // Only a template that had an entry takes rights away.
             if (!clave.empty()) Ejecutar(db, "DELETE TA_TAREAS WHERE TAREA = '" + Q(clave) + "'");
         },
         [&] {
             Abrir(db, "SELECT * FROM TA_MENU WHERE TITULO = 'D9541'", resto,
                   bloqueo::kSoloLectura);
             // The parent goes with the last entry this removal took away; a parent the menu
             // holds without entries is not this editor's to delete.
             if (!clave.empty() && resto.BOF()) {
                 Ejecutar(db, "DELETE TA_MENU WHERE CLAVE = 'D9541'");
                 Ejecutar(db, "DELETE TA_TAREAS WHERE TAREA = 'D9541'");
             }
         }},
        reportero);
    db.CierraRecordset(resto);
    return desenlace == Desenlace::Completo;
}

}  // namespace

std::string ProcesoDeModelo(const std::string& nombre, bool liqTarjetas) {
    return "shell:Mv_asientos @PARAMETROADICIONAL= MODELO_" + nombre +
           (liqTarjetas ? "_**EsLiqTarjetas**" : "");
}

bool AnclarEnMenu(DB_Dll& db, const DatosAnclaje& datos, const Reportero& reportero) {
    const std::string nombre = texto::Recortar(datos.Nombre);
    return datos.AlMenu ? Anclar(db, nombre, datos, reportero) : Desanclar(db, nombre, reportero);
}

}  // namespace editor
