// Entry numbers and vouchers on the demo database: printed forms, the next entry number,
// the voucher letter, voucher book data, vouchers entered from outside and the duplicate check.
#include <variant>

#include "ReglasPrueba.h"

namespace {

using Numeracion = ReglasPrueba;

TEST(FormatosNroAsiento, FormasImpresasYErroresDeConversion) {
    EXPECT_EQ(Lbc_Asiento::FormatDisplayNroAsiento(45, "15/03/2025"), "03-0000045");
    EXPECT_EQ(Lbc_Asiento::FormatDisplayNroAsiento(1234567, "2025-12-01 00:00:00"), "12-1234567");
    EXPECT_THROW(Lbc_Asiento::FormatDisplayNroAsiento(45, "31/02/2025"), ErrorEjecucion);

    struct Caso {
        const char* entrada;
        const char* numero;   // FormatNroAsiento ("!" = conversion error)
        const char* impreso;  // FMTNroAsiento
        const char* unido;    // EliminaCarNroAsiento
    };
    const Caso casos[] = {
        {"03-0000045", "45", "03-0000045", "345"},
        {"030000045", "30000045", "03-0000045", "030000045"},
        {"03-45", "45", "03-0000045", "345"},
        {"3-", "!", "3-", "!"},  // fewer than three characters once the "-" go
        {"", "!", "", ""},
        {"ab-12", "12", "ab-0000012", "!"},
        {"03-4x", "!", "!", "!"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.entrada);
        const auto probar = [](const char* esperado, auto f) {
            if (std::string(esperado) == "!")
                EXPECT_THROW(f(), ErrorEjecucion);
            else
                EXPECT_EQ(f(), esperado);
        };
        probar(c.numero, [&] { return Lbc_Asiento::FormatNroAsiento(c.entrada); });
        probar(c.impreso, [&] { return Lbc_Asiento::FMTNroAsiento(c.entrada); });
        probar(c.unido,
               [&] { return std::get<std::string>(Lbc_Asiento::EliminaCarNroAsiento(c.entrada)); });
    }
    // Tipo 3 and 2 give a number, 8 a text; another separator may be named.
    EXPECT_EQ(std::get<int32_t>(Lbc_Asiento::EliminaCarNroAsiento("03-0000045", 3)), 345);
    EXPECT_EQ(std::get<int32_t>(Lbc_Asiento::EliminaCarNroAsiento("0345", 2)), 345);
    EXPECT_EQ(std::get<std::string>(Lbc_Asiento::EliminaCarNroAsiento("03/45", 8, "/")), "345");
    EXPECT_THROW(Lbc_Asiento::EliminaCarNroAsiento("", 3), ErrorEjecucion);
}

TEST_F(Numeracion, ElPeriodoActualSaleDeLaConfiguracion) {
    EXPECT_EQ(reglas->PeriodoActual(), 2025);
    struct Caso {
        const char* valor;  // nullptr: the key is missing
        long error;         // 0: created
        int periodo;
    };
    for (const Caso c : {Caso{" 2024 ", 0, 2024}, Caso{nullptr, 13, 0}, Caso{"dos mil", 13, 0},
                         Caso{"40000", 6, 0}}) {
        base.Ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'PERIODO'");
        if (c.valor)
            base.Ejecutar("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '" +
                          std::string(c.valor) + "')");
        try {
            Crear();
            EXPECT_EQ(c.error, 0) << c.valor;
            EXPECT_EQ(reglas->PeriodoActual(), c.periodo);
        } catch (const ErrorEjecucion& e) {
            EXPECT_EQ(e.Numero(), c.error);
            EXPECT_NE(e.Descripcion().find("PERIODO"), std::string::npos) << e.Descripcion();
        }
    }
}

TEST_F(Numeracion, UltimoNumeroAsientoPorMesPeriodoYRegistro) {
    base.Ejecutar(
        "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", TIPO_REG) VALUES "
        "(2025, 2, 7, 'ÿRS'), (2025, 3, 4, 'ÿRX'), (2024, 1, 30, 'VEN')");
    struct Caso {
        int mes;
        std::optional<std::string_view> tipo;
        std::optional<int> periodo;
        int32_t esperado;
    };
    const Caso casos[] = {
        {1, "VEN", {}, 2}, {1, " ven ", {}, 2}, {1, "VEN", 2024, 31},
        {3, "VEN", {}, 1}, {2, {}, {}, 8},      {2, "  ", {}, 8},
        {1, {}, {}, 1},    {3, {}, {}, 1},      {1, "V'EN", {}, 1},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(reglas->UltimoNumeroAsiento(c.mes, c.tipo, c.periodo), c.esperado)
            << c.mes << " " << c.tipo.value_or("-");
    EXPECT_TRUE(fallas.empty()) << fallas.front();
    reglas->UltimoNumeroAsiento(2);  // the data layer resolves the @ADMIN_ marker
    EXPECT_EQ(enviadas.back(),
              "SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM MV_ASIENTOS WHERE "
              "MES_OPERATIVO = 2 AND PERIODO = '2025' AND (TIPO_REG = 'ÿRS' OR TIPO_REG = '') ");

    base.Ejecutar("DROP TABLE MV_ASIENTOS");  // leaving after a failure gives 0
    EXPECT_EQ(reglas->UltimoNumeroAsiento(1, "VEN"), 0);
    ASSERT_FALSE(fallas.empty());
    EXPECT_EQ(fallas.back().rfind("UltimoNumeroAsiento: ", 0), 0u) << fallas.back();
}

TEST_F(Numeracion, DeterminaLetraPorCondicionesDeIva) {
    struct Caso {
        const char* condivaEmpresa;  // nullptr: key missing
        const char* cliente;
        const char* letra;
    };
    for (const Caso c : {Caso{"1", "3", "B"}, Caso{"1", "1", "A"}, Caso{"1", "2", "A"},
                         Caso{"2", "3", "C"}, Caso{nullptr, "1", "Z"}}) {
        base.Ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'CONDIVA'");
        if (c.condivaEmpresa)
            base.Ejecutar("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('CONDIVA', '" +
                          std::string(c.condivaEmpresa) + "')");
        EXPECT_EQ(reglas->DeterminaLetra(c.cliente), c.letra)
            << (c.condivaEmpresa ? c.condivaEmpresa : "sin CONDIVA") << "/" << c.cliente;
    }
}

TEST_F(Numeracion, DatosComprobanteDelPrimerTalonario) {
    struct Caso {
        const char* tc;
        const char* letra;
        const char* unidad;
        const char* suc;
        const char* nro;
        const char* letraFinal;
        int talonario;
    };
    const Caso casos[] = {
        {"FC", "A", "   1", "0001", "00001523", "A", 1},
        {" fc ", " b ", "   2", "0002", "00000998", "b", 2},
        {"FC", "B", "", "0001", "00004876", "B", 1},      // any unit: first book
        {"NC", "A", "   2", "0001", "00000087", "A", 1},  // no book of that unit
        {"ZZ", "A", "   1", "", "", "", 0},               // no book at all
        {"FC", "Q", "   1", "antes", "antes", "Q", 7},    // not a voucher letter
        {"FC", "", "   1", "antes", "antes", "", 7},
    };
    for (const Caso& c : casos) {
        std::string suc = "antes", nro = "antes", letra = c.letra;
        reglas->gTalonario = 7;
        reglas->DatosComprobante(c.tc, suc, nro, letra, c.unidad);
        EXPECT_EQ(suc, c.suc) << c.tc << c.letra;
        EXPECT_EQ(nro, c.nro) << c.tc << c.letra;
        EXPECT_EQ(letra, c.letraFinal) << c.tc << c.letra;
        EXPECT_EQ(reglas->gTalonario, c.talonario) << c.tc << c.letra;
    }
    EXPECT_TRUE(fallas.empty());
}

TEST_F(Numeracion, ComprobanteEntradaFijosSinBaseYElRestoPorSuUltimaLetra) {
    base.Ejecutar("DROP TABLE MA_SUBDIARIOSCOMPROBANTES");  // unrelated: nothing must read it
    const std::pair<const char*, bool> fijos[] = {
        {"FCC", true},  {"ndc", true},   {" NCC ", true}, {"FPC", true},
        {"NCCP", true}, {"FC", false},   {"nd", false},   {"NC", false},
        {"FP", false},  {"NCFP", false}, {"CBFP", false}, {"PGFP", false}};
    base.Ejecutar("ALTER TABLE TA_COMPROBANTES RENAME TO TA_COMPROBANTES_APARTE");
    enviadas.clear();
    for (const auto& [tc, esperado] : fijos)
        EXPECT_EQ(reglas->ComprobanteEntrada(tc), esperado) << tc;
    EXPECT_TRUE(enviadas.empty()) << enviadas.front();
    EXPECT_TRUE(fallas.empty());
    base.Ejecutar("ALTER TABLE TA_COMPROBANTES_APARTE RENAME TO TA_COMPROBANTES");

    base.Ejecutar(
        "INSERT INTO TA_COMPROBANTES (CODIGO, Letras, X_ULTIMO_NRO, A_NRO_HASTA) VALUES "
        "('XA', 'XA', 5, 0), ('AX', 'AX', 5, 0), ('VAC', '', 0, 0), ('Q''1', 'X', 0, 0)");
    const std::pair<const char*, bool> leidos[] = {{"AS", false}, {"LT", true},   {"XA", true},
                                                   {"AX", false}, {"VAC", false}, {"NOEX", false},
                                                   {"Q'1", true}};
    for (const auto& [tc, esperado] : leidos)
        EXPECT_EQ(reglas->ComprobanteEntrada(tc), esperado) << tc;
    EXPECT_TRUE(fallas.empty());
}

TEST_F(Numeracion, ValidaComprobanteDuplicados) {
    // A second voucher of the demo's sales invoice, one number later, in another entry.
    base.Ejecutar(
        "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", TIPO_REG, FECHA, "
        "CUENTA, TC, SUCURSAL, NUMERO, LETRA) VALUES (2025, 1, 2, 'VEN', '2025-01-11 00:00:00', "
        "'1.1.03.001', 'FC', '0001', '00001524', 'A')");
    struct Caso {
        const char* tc;
        const char* numero;
        const char* cuenta;
        std::vector<int> respuestas;  // to the proposals of a new number
        bool esperado;
        const char* numeroFinal;
        const char* mensaje;
    };
    const int si = respuesta::kSi, no = respuesta::kNo;
    const Caso casos[] = {
        {"FC", "00009999", "", {}, true, "00009999", ""},
        {"FC", "00001523", "", {si, no}, false, "00001523", "Comprobante duplicado"},  // 1524 taken
        {"FC", "00001523", "", {si, si}, true, "00001525", ""},
        {"FC", "00001523", "", {no}, false, "00001523", "Comprobante duplicado"},
        {"FC", "00001523", "1.1'03", {}, true, "00001523", ""},  // no line of that account
        {"FCC",
         "00004567",
         "",
         {},
         false,
         "00004567",
         "Comprobante registrado en el Asiento 1-1\r\n Para el subdiario: COM"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.tc) + " " + c.numero + " " + c.cuenta);
        plataforma->dialogos.clear();
        plataforma->respuestas.assign(c.respuestas.begin(), c.respuestas.end());
        std::string numero = c.numero;
        entryrules::ComprobanteRegistrado salida;
        const char* suc = std::string(c.tc) == "FCC" ? "0003" : "0001";
        EXPECT_EQ(reglas->ValidaComprobante(c.tc, suc, numero, "A", salida, "15/01/2025", c.cuenta),
                  c.esperado);
        EXPECT_EQ(numero, c.numeroFinal);
        EXPECT_EQ(salida.Mensaje, c.mensaje);
        EXPECT_TRUE(plataforma->respuestas.empty());
        for (const auto& d : plataforma->dialogos) {
            EXPECT_EQ(d.titulo, "Atencion");
            EXPECT_EQ(d.estilo, estilo::kSiNo + estilo::kExclamacion);
        }
    }
    // The registered voucher tells where it is.
    std::string numero = "00004567";
    entryrules::ComprobanteRegistrado salida;
    reglas->ValidaComprobante("FCC", "0003", numero, "A", salida, "no es fecha", "");
    EXPECT_EQ(salida.MesOP + "/" + salida.NroAsiento + "/" + salida.PeriodoModif, "1/1/2025");
    // The first proposal prints the voucher number.
    plataforma->dialogos.clear();
    plataforma->respuestas = {no};
    numero = "1523";
    reglas->ValidaComprobante("FC", "1", numero, "A", salida, "10/01/2025", "");
    ASSERT_EQ(plataforma->dialogos.size(), 0u);  // "1523" is not the stored "00001523"
    numero = "00001523";
    reglas->ValidaComprobante("FC", "0001", numero, "a", salida, "10/01/2025", "");
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_EQ(plataforma->dialogos[0].texto,
              "El Comprobante Duplicado, el nuevo numero es: 0001-00001524a");
    // A failure is shown with its description and answers false.
    base.Ejecutar("DROP TABLE MV_ASIENTOS");
    plataforma->dialogos.clear();
    plataforma->respuestas.clear();
    EXPECT_FALSE(reglas->ValidaComprobante("FC", "0001", numero, "A", salida, "", ""));
    ASSERT_FALSE(plataforma->dialogos.empty());
    EXPECT_EQ(plataforma->dialogos.back().estilo, estilo::kSoloOk);
}

}  // namespace
