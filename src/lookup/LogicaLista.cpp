#include "LogicaLista.h"

#include "Moneda.h"
#include "Texto.h"
#include "Utilidades.h"

using namespace helperlib;

namespace lookup {

namespace lista {

std::string NombreFuente(const std::string& sentencia) {
    const std::string s = sentencia + " ";
    const int p = texto::PosicionSinCaso(s, "from");
    if (p == 0) return "";
    const int inicio = p + 4;
    const int fin = texto::Posicion(s, " ", inicio + 1);
    if (fin == 0) return texto::Recortar(texto::Medio(s, inicio));
    return texto::Recortar(texto::Medio(s, inicio, fin - inicio));
}

std::pair<std::string, std::string> PartirSentencia(const std::string& base) {
    const int orden = texto::PosicionSinCaso(base, "order by");
    const int grupo = texto::PosicionSinCaso(base, "group by");
    int corte = 0;
    if (orden > 0 && grupo > 0)
        corte = std::min(orden, grupo);
    else
        corte = orden > 0 ? orden : grupo;
    if (corte == 0) return {base, ""};
    return {texto::Izquierda(base, corte - 1), texto::Medio(base, corte)};
}

std::string SentenciaNuevaBusqueda(const std::string& base, const std::string& campo,
                                   std::string& textoCaja, bool usaLike) {
    auto [cabeza, cola] = PartirSentencia(base);
    std::string prefijo;
    if (texto::ContieneSinCaso(cabeza, "stk_ma_articulos")) prefijo = "stk_ma_articulos.";
    if (texto::ContieneSinCaso(cabeza, "v_ma_articulos")) prefijo = "v_ma_articulos.";
    const std::string union_ = texto::ContieneSinCaso(cabeza, "where") ? " and " : " where ";
    if (usaLike) {
        const std::string valor =
            texto::DuplicarApostrofes(ReemplazarCaracter(textoCaja, " ", "%"));
        return cabeza + union_ + prefijo + campo + " like '%" + valor + "%' " + cola;
    }
    textoCaja = ReemplazarCaracter(textoCaja, "*", "%");
    return cabeza + union_ + prefijo + campo + " like '" + texto::DuplicarApostrofes(textoCaja) +
           "%' " + cola;
}

int BuscarPrefijo(const std::vector<std::string>& valores, const std::string& buscado) {
    const std::string b = texto::Mayusculas(texto::Recortar(buscado));
    for (std::size_t i = 0; i < valores.size(); ++i) {
        const std::string v = texto::Mayusculas(texto::Recortar(valores[i]));
        if (v.compare(0, b.size(), b) == 0) return static_cast<int>(i) + 1;
    }
    return 0;
}

int NivelStock(const std::string& puntoPedido, const std::string& stock) {
    auto valor = [](const std::string& t) {
        try {
            return ValorNumerico(t);
        } catch (const ErrorEjecucion&) {
            return Moneda{};
        }
    };
    const Moneda pp = valor(puntoPedido);
    const Moneda st = valor(stock);
    const Moneda cero{};
    if (pp == cero && st > cero) return 1;
    if (pp > cero && st > pp) return 2;
    if (pp > cero && st < pp) return 3;
    return 4;
}

std::pair<std::string, std::string> ProgramaNuevo(const std::string& fuente) {
    auto es = [&](const char* n) { return texto::IgualesSinCaso(fuente, n); };
    if (es("V_TA_RUBROS") || es("V_TA_UNIDAD")) return {"SHELL:V_TA_TABLAS", fuente};
    if (es("VT_CLIENTES")) return {"SHELL:V_MA_CLIENTES", "1"};
    if (es("VT_PROVEEDORES")) return {"SHELL:V_MA_CLIENTES", "0"};
    if (es("V_TA_Tecnicos")) return {"SHELL:V_TA_Tecnicos", ""};
    if (es("V_TA_VENDEDORES")) return {"SHELL:V_TA_VENDEDORES", ""};
    if (es("V_MA_ARTICULOS") || es("VT_MA_ARTICULOS")) return {"SHELL:V_MA_ARTICULOS", ""};
    return {"SHELL:V_TA_TABLAS", fuente};
}

int AnchoEnCaracteres(int tipoAdo, int tamanoDefinido, bool listaArticulos,
                      const std::string& valoresDefault) {
    int x = (tipoAdo == 6 || tipoAdo == 131) ? 12 : tamanoDefinido;
    if (x >= 60) x = 60;
    if (!listaArticulos && valoresDefault == "@10") x += 10;
    return x;
}

int TamanoPorTipo(int tipoAdo) {
    switch (tipoAdo) {
        case 2:
            return 2;  // smallint
        case 3:
            return 4;  // integer
        case 4:
            return 4;  // single
        case 5:
            return 8;  // double
        case 11:
            return 2;  // boolean
        case 17:
            return 1;  // tiny integer
        case 20:
            return 8;  // big integer
        case 7:
        case 133:
        case 135:
            return 16;  // dates
        default:
            return 10;  // text of undeclared length
    }
}

int TamanoDeclarado(const std::string& tipoDeclarado) {
    const auto a = tipoDeclarado.find('(');
    if (a == std::string::npos) return 0;
    int n = 0;
    for (auto i = a + 1; i < tipoDeclarado.size() && tipoDeclarado[i] >= '0' &&
                         tipoDeclarado[i] <= '9' && n < 100000;
         ++i)
        n = n * 10 + (tipoDeclarado[i] - '0');
    return n;
}

std::string CantidadIngresada(const std::string& respuesta) {
    return ValorNumerico(respuesta).Formato(2);
}

std::string CantidadSumada(const std::string& actual, int delta) {
    const Moneda r = ValorNumerico(actual) + Moneda::DesdeEntero(delta);
    if (delta < 0 && !(r > Moneda{})) return "0.00";
    return r.Formato(1);
}

std::string SentenciaFaltante(const std::string& fechaHora, const std::string& id,
                              const std::string& descripcion, const std::string& usuario) {
    using texto::DuplicarApostrofes;
    return "INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values('" +
           DuplicarApostrofes(fechaHora) + "','" + DuplicarApostrofes(AjustarAncho(id, 25)) +
           "','" + DuplicarApostrofes(texto::Recortar(descripcion)) + "','" +
           DuplicarApostrofes(usuario) + "')";
}

}  // namespace lista

}  // namespace lookup
