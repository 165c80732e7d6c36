#include "Lib_ClsCons3.h"

#include <QGuiApplication>
#include <QScreen>
#include <fstream>

#include "ArchivoConsultas.h"
#include "ArmadoConsulta.h"
#include "Configuracion.h"
#include "DB_Dll.h"
#include "Formatos.h"
#include "Lib_FrmCons3.h"
#include "Lib_FrmCons3Tree.h"
#include "Pasos.h"
#include "Plataforma.h"
#include "Texto.h"
#include "Utilidades.h"
#include "VentanaDuena.h"

using namespace helperlib;
using namespace data;
using namespace startup;

namespace lookup {

namespace {

constexpr int kTwipsPorPixel = 15;

std::string CeroSiVacio(const std::string& v) { return EsTextoVacio(v) ? "0" : v; }

}  // namespace

Lib_ClsCons3::Lib_ClsCons3(DB_Dll& base, const PreparacionConsultas& preparacion)
    : base_(base), preparacion_(preparacion) {
    MostrarVentana = [](Lib_FrmCons3& v) { v.exec(); };
    MostrarArbol = [](lookup::Lib_FrmCons3Tree& v) { v.exec(); };
    EjecutarPasos({[&] { MuestraStock = Configuracion("MostrarStockenConsultas"); },
                   [&] { StkNivel1 = CeroSiVacio(Configuracion("Stk_Nivel1")); },
                   [&] { StkNivel2 = CeroSiVacio(Configuracion("Stk_Nivel2")); },
                   [&] { StkNivel3 = CeroSiVacio(Configuracion("Stk_Nivel3")); },
                   [&] { StkNivel4 = CeroSiVacio(Configuracion("Stk_Nivel4")); },
                   [&] { usaLike_ = EsSi(Configuracion("UsaConsultaLike")); }},
                  IgnorarSiempre);
}

Lib_ClsCons3::~Lib_ClsCons3() { delete lista_.data(); }

std::string Lib_ClsCons3::Configuracion(const std::string& clave) const {
    if (base_.gCnn.State() != 1) return " ";  // no connection yet: the key counts as missing
    return Cfg(base_, clave);
}

std::optional<std::string> Lib_ClsCons3::ArmarSentencia(const std::string& sql,
                                                        std::string& CampoBusqueda,
                                                        std::string& Where,
                                                        const std::string& SentenciaOpcional) {
    Where = armado::EnvolverWhere(Where);
    const int limite = armado::LimiteFilas(Configuracion("TopConsArt"));
    if (armado::EsSentencia(sql)) return armado::SentenciaDelLlamador(sql, Where);

    // Without the file a plain name is no statement: it takes the generated list below.
    if (preparacion_.gUsarMascarasConsultas && ExisteArchivo(preparacion_.gRutaMascaraConsultas)) {
        const std::string& ruta = preparacion_.gRutaMascaraConsultas;
        if (auto registro = BuscarConsultaGuardada(ruta, sql)) {
            auto s = armado::SentenciaGuardada(*registro, limite, Where, CampoBusqueda);
            if (!s)
                plataforma().MsgBox(armado::kMensajeSinConfigurar, estilo::kInformacion,
                                    "Aviso al operador");
            return s;
        }
    }

    if (!SentenciaOpcional.empty()) return SentenciaOpcional;
    std::string columnas;
    if (!armado::ColumnasIncorporadas(sql, columnas, CampoBusqueda)) {
        Recordset rs;
        std::string muestra = "select top 1 * from " + sql;
        base_.AbrirRecordset(muestra, rs);
        std::vector<std::string> campos;
        if (rs.State() == 1) {
            campos = rs.NombresCampos();
            base_.CierraRecordset(rs);
        }
        columnas = armado::ColumnasGeneradas(sql, campos, CampoBusqueda);
    }
    return armado::SentenciaGenerada(sql, columnas, limite, Where, CampoBusqueda);
}

void Lib_ClsCons3::ConsultaSearch(const std::string& sql, std::vector<std::string>* CmpsDevueltos,
                                  const std::string& Clave, std::string& CampoBusqueda,
                                  std::string& Where, const std::string& SentenciaOpcional,
                                  bool TreeView, const std::string& ValoresDefault) {
    std::optional<std::string> sentencia;
    EjecutarPasos(
        {[&] { sentencia = ArmarSentencia(sql, CampoBusqueda, Where, SentenciaOpcional); }},
        IgnorarSiempre);
    if (sentencia) {
        EjecutarPasos({[&] {
                          if (TreeView) {
                              AbrirArbol(*sentencia);
                          } else {
                              AbrirLista(*sentencia, CmpsDevueltos, Clave, CampoBusqueda,
                                         ValoresDefault);
                          }
                      }},
                      IgnorarSiempre);
    }
    Checks = false;
    CampoDevuelto.clear();
    if (CmpsDevueltos) CmpsDevueltos->clear();
}

void Lib_ClsCons3::AbrirArbol(const std::string& sentencia) {
    lookup::Lib_FrmCons3Tree ventana(base_, VentanaDuena());
    ventana.sql = sentencia;
    ventana.CampoDevuelto = CampoDevuelto;
    ventana.CheckBoxes = Checks;
    Valores = std::vector<std::string>();
    ventana.Cargar();
    MostrarArbol(ventana);
    ValorDevuelto = ventana.ValorDevuelto;
    Valores = ventana.Valores;
    Checks = false;
    ventana.Descargar();
}

Lib_FrmCons3& Lib_ClsCons3::VentanaLista(QWidget* duena, std::unique_ptr<Lib_FrmCons3>& propia) {
    if (listaEnUso_) {
        propia = std::make_unique<Lib_FrmCons3>(base_, duena);
        return *propia;
    }
    // A window just hidden may still be reported active for a moment: the kept window is
    // never its own owner.
    if (lista_ && duena && (duena == lista_ || lista_->isAncestorOf(duena)))
        duena = lista_->parentWidget();
    if (lista_ && lista_->parentWidget() != duena) delete lista_.data();
    if (lista_)
        lista_->Reiniciar();
    else
        lista_ = new Lib_FrmCons3(base_, duena);
    return *lista_;
}

void Lib_ClsCons3::AbrirLista(const std::string& sentencia, std::vector<std::string>* CmpsDevueltos,
                              const std::string& Clave, const std::string& CampoBusqueda,
                              const std::string& ValoresDefault) {
    std::unique_ptr<Lib_FrmCons3> propia;
    Lib_FrmCons3& ventana = VentanaLista(VentanaDuena(), propia);
    // The kept window is busy until this search ends, however it ends.
    struct EnUso {
        bool& marca;
        bool antes;
        explicit EnUso(bool& m) : marca(m), antes(m) { marca = true; }
        ~EnUso() { marca = antes; }
    } enUso(listaEnUso_);
    ventana.StkNivel1 = StkNivel1;
    ventana.StkNivel2 = StkNivel2;
    ventana.StkNivel3 = StkNivel3;
    ventana.StkNivel4 = StkNivel4;
    ventana.MuestraStock = MuestraStock;
    ventana.CfgUsaConsultaLIKE = usaLike_;
    ventana.OrdenarPorLwv = !texto::ContieneSinCaso(sentencia, "ORDER BY");
    ventana.FiltroInicial = Clave;
    ventana.CampoBusqueda = CampoBusqueda;
    ventana.sql = sentencia;
    ventana.gConnString =
        preparacion_.gConnString.empty() ? base_.gConnString : preparacion_.gConnString;
    ventana.CampoDevuelto = CampoDevuelto;
    ventana.CheckBoxes = Checks;
    ventana.UsaCantidades = UsaCantidades;
    ventana.ValoresDefault = ValoresDefault;
    if (!CarpetaAnchos.empty()) ventana.CarpetaAplicacion = CarpetaAnchos;
    Valores = std::vector<std::string>();
    Cantidades = std::vector<std::string>();
    if (CmpsDevueltos) ventana.CmpsDevueltos = *CmpsDevueltos;
    ventana.Valores = Valores;
    ventana.Cantidades = Cantidades;
    ventana.Cargar();
    if (Checks) ventana.LimpiarMarcas();
    MostrarVentana(ventana);
    Checks = false;
    Valores = ventana.Valores;
    Cantidades = ventana.Cantidades;
    ValorDevuelto = ventana.ValorDevuelto;
    ventana.CampoDevuelto.clear();
    ventana.Descargar();
}

std::string Lib_ClsCons3::ListaDeOpciones(const std::string& titulo,
                                          const std::vector<std::string>& filas, bool marcas) {
    Lib_FrmCons3 ventana(base_, VentanaDuena());
    if (!CarpetaAnchos.empty()) ventana.CarpetaAplicacion = CarpetaAnchos;
    ventana.PrepararOpciones(titulo, marcas);
    int mas = texto::Largo(titulo);
    for (const auto& f : filas) {
        mas = std::max(mas, texto::Largo(f));
        if (marcas)
            ventana.AgregarOpcion(texto::Medio(f, 2), texto::Izquierda(f, 1) == "1");
        else
            ventana.AgregarOpcion(f, false);
    }
    const int ancho = 120 * mas / kTwipsPorPixel;
    const QScreen* pantalla = QGuiApplication::primaryScreen();
    const int anchoPantalla = pantalla ? pantalla->availableGeometry().width() : 1024;
    ventana.resize(
        ancho < anchoPantalla ? std::max(ancho, ventana.minimumSizeHint().width()) : anchoPantalla,
        ventana.height());
    MostrarVentana(ventana);
    std::string elegido = ventana.ValorDevuelto.value_or(std::string());
    if (marcas) Valores = ventana.Valores;
    ventana.Descargar();
    return elegido;
}

void Lib_ClsCons3::CheckOpciones(const std::string& Titulo, std::vector<std::string>*,
                                 const std::vector<std::string>& Opc) {
    EjecutarPasos({[&] { ListaDeOpciones(Titulo, Opc, true); }}, IgnorarSiempre);
}

std::string Lib_ClsCons3::MenuOpciones(const std::string& Titulo,
                                       const std::vector<std::string>& Opc) {
    std::string r;
    EjecutarPasos({[&] { r = ListaDeOpciones(Titulo, Opc, false); }}, IgnorarSiempre);
    return r;
}

std::string Lib_ClsCons3::ConsultaDesdeArchivo(const std::string& Titulo,
                                               const std::string& QueArchivo, const std::string&) {
    if (!ExisteArchivo(QueArchivo)) {
        plataforma().MsgBox("No existe el archivo " + QueArchivo + " que desea consultar consulta ",
                            estilo::kSoloOk, "");
        return "";
    }
    std::vector<std::string> lineas;
    std::ifstream f(QueArchivo, std::ios::binary);
    std::string linea;
    while (std::getline(f, linea)) {
        if (!linea.empty() && linea.back() == '\r') linea.pop_back();
        lineas.push_back(linea);
    }
    std::string r;
    EjecutarPasos({[&] { r = ListaDeOpciones(Titulo, lineas, false); }}, IgnorarSiempre);
    return r;
}

}  // namespace lookup
