// Entry numbers and vouchers on the demo database: printed forms, the next entry number,
// the voucher letter, voucher book data, vouchers entered from outside and the duplicate check.
#include <variant>

#include "ReglasPrueba.h"

namespace {

using Numeracion = ReglasPrueba;

TEST(FormatosNroAsiento, FormasImpresasYErroresDeConversion) {
    EXPECT_EQ(Lbc_Asiento::FormatDisplayNroAsiento(45, "15/03/2025"), "03-0000045");
    EXPECT_EQ(Lbc_Asiento::FormatDisplayNroAsiento(1234567, "2025-12-01 00:00:00"), "12-1234567");
    // Per text: FormatNroAsiento, FMTNroAsiento, EliminaCarNroAsiento ("!": conversion error).
    const std::array<const char*, 4> casos[] = {
        {"03-0000045", "45", "03-0000045", "345"},
        {"030000045", "30000045", "03-0000045", "030000045"},
        {"03-45", "45", "03-0000045", "345"},
        {"3-", "!", "3-", "!"},
        {"", "!", "", ""},
        {"ab-12", "12", "ab-0000012", "!"},
        {"03-4x", "!", "!", "!"}};
    const auto probar = [](const char* esperado, auto f) {
        if (std::string(esperado) == "!")
            EXPECT_THROW(f(), ErrorEjecucion);
        else
            EXPECT_EQ(f(), esperado);
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c[0]);
        probar(c[1], [&] { return Lbc_Asiento::FormatNroAsiento(c[0]); });
        probar(c[2], [&] { return Lbc_Asiento::FMTNroAsiento(c[0]); });
        probar(c[3],
               [&] { return std::get<std::string>(Lbc_Asiento::EliminaCarNroAsiento(c[0])); });
    }
    EXPECT_EQ(std::get<int32_t>(Lbc_Asiento::EliminaCarNroAsiento("03-0000045", 3)), 345);
    EXPECT_EQ(std::get<std::string>(Lbc_Asiento::EliminaCarNroAsiento("03/45", 8, "/")), "345");
    EXPECT_THROW(Lbc_Asiento::EliminaCarNroAsiento("", 2), ErrorEjecucion);
}

TEST_F(Numeracion, ElPeriodoActualSaleDeLaConfiguracion) {
    EXPECT_EQ(reglas->PeriodoActual(), 2025);
    // Value of PERIODO (nullptr: missing) and the error number of the creation (0: created).
    for (const auto& [valor, error] : {std::pair<const char*, long>{" 2024 ", 0},
                                       {nullptr, 13},
                                       {"dos mil", 13},
                                       {"40000", 6}}) {
        base.Ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'PERIODO'");
        if (valor)
            base.Ejecutar("INSERT INTO TA_CONFIGURACION VALUES ('PERIODO', '" + std::string(valor) +
                          "', '')");
        try {
            Crear();
            EXPECT_EQ(error, 0);
            EXPECT_EQ(reglas->PeriodoActual(), 2024);
        } catch (const ErrorEjecucion& e) {
            EXPECT_EQ(e.Numero(), error);
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
    for (const Caso& c : {Caso{1, "VEN", {}, 2},
                          {1, " ven ", {}, 2},
                          {1, "VEN", 2024, 31},
                          {3, "VEN", {}, 1},
                          {2, {}, {}, 8},
                          {2, "  ", {}, 8},
                          {1, {}, {}, 1},
                          {3, {}, {}, 1},
                          {1, "V'EN", {}, 1}})
        EXPECT_EQ(reglas->UltimoNumeroAsiento(c.mes, c.tipo, c.periodo), c.esperado)
            << c.mes << " " << c.tipo.value_or("-");
    EXPECT_TRUE(fallas.empty());
    EXPECT_EQ(enviadas.back(),  // the data layer has resolved the @ADMIN_ marker
              "SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM MV_ASIENTOS WHERE "
              "MES_OPERATIVO = 1 AND PERIODO = '2025' AND TIPO_REG = 'V''EN' ");
    base.Ejecutar("DROP TABLE MV_ASIENTOS");  // leaving after a failure gives 0
    plataforma->Esperar("no such table: MV_ASIENTOS", respuesta::kAbortar);
    EXPECT_EQ(reglas->UltimoNumeroAsiento(1, "VEN"), 0);
    ASSERT_FALSE(fallas.empty());
    EXPECT_EQ(fallas.back().rfind("UltimoNumeroAsiento: ", 0), 0u) << fallas.back();
}

TEST_F(Numeracion, DeterminaLetraPorCondicionesDeIva) {
    // Company condition (nullptr: CONDIVA missing), customer condition, letter.
    for (const auto& [empresa, cliente, letra] :
         {std::tuple<const char*, const char*, const char*>{"1", "3", "B"},
          {"1", "1", "A"},
          {"1", "2", "A"},
          {"2", "3", "C"},
          {nullptr, "1", "Z"}}) {
        base.Ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'CONDIVA'");
        if (empresa)
            base.Ejecutar("INSERT INTO TA_CONFIGURACION VALUES ('CONDIVA', '" +
                          std::string(empresa) + "', '')");
        EXPECT_EQ(reglas->DeterminaLetra(cliente), letra) << (empresa ? empresa : "-") << cliente;
    }
}

TEST_F(Numeracion, DatosComprobanteDelPrimerTalonario) {
    // TC, letter, unit -> branch, last number, letter, book.
    const std::array<std::string, 7> casos[] = {
        {"FC", "A", "   1", "0001", "00001523", "A", "1"},
        {" fc ", " b ", "   2", "0002", "00000998", "b", "2"},
        {"FC", "B", "", "0001", "00004876", "B", "1"},      // any unit: the first book
        {"NC", "A", "   2", "0001", "00000087", "A", "1"},  // no book of that unit
        {"ZZ", "A", "   1", "", "", "", "0"},               // no book at all
        {"FC", "Q", "   1", "antes", "antes", "Q", "7"},    // not a voucher letter
        {"FC", "", "   1", "antes", "antes", "", "7"}};
    for (const auto& c : casos) {
        std::string suc = "antes", nro = "antes", letra = c[1];
        reglas->gTalonario = 7;
        reglas->DatosComprobante(c[0], suc, nro, letra, c[2]);
        EXPECT_EQ((std::array<std::string, 4>{suc, nro, letra, std::to_string(reglas->gTalonario)}),
                  (std::array<std::string, 4>{c[3], c[4], c[5], c[6]}))
            << c[0] << c[1];
    }
    EXPECT_TRUE(fallas.empty());
}

TEST_F(Numeracion, ComprobanteEntradaFijosSinBaseYElRestoPorSuUltimaLetra) {
    base.Ejecutar("ALTER TABLE TA_COMPROBANTES RENAME TO APARTE");
    enviadas.clear();
    for (const char* tc : {"FCC", "ndc", " NCC ", "FPC", "NCCP"})
        EXPECT_TRUE(reglas->ComprobanteEntrada(tc)) << tc;
    for (const char* tc : {"FC", "nd", "NC", "FP", "NCFP", "CBFP", "PGFP"})
        EXPECT_FALSE(reglas->ComprobanteEntrada(tc)) << tc;
    EXPECT_TRUE(enviadas.empty());
    EXPECT_TRUE(fallas.empty());
    base.Ejecutar("ALTER TABLE APARTE RENAME TO TA_COMPROBANTES");

    base.Ejecutar(
        "INSERT INTO TA_COMPROBANTES (CODIGO, Letras, X_ULTIMO_NRO) VALUES "
        "('XA', 'XA', 5), ('AX', 'AX', 5), ('VAC', '', 0), ('Q''1', 'X', 0)");
    for (const auto& [tc, esperado] : {std::pair<const char*, bool>{"AS", false},
                                       {"LT", true},
                                       {"XA", true},
                                       {"AX", false},
                                       {"VAC", false},
                                       {"NOEX", false},
                                       {"Q'1", true}})
        EXPECT_EQ(reglas->ComprobanteEntrada(tc), esperado) << tc;
    EXPECT_TRUE(fallas.empty());
}

TEST_F(Numeracion, ValidaComprobanteDuplicados) {
    // The demo's sales invoice 0001-00001523A, and the next number in another entry.
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
        {"FC", "00001523", "", {si, no}, false, "00001523", "Comprobante duplicado"},  // 1524 used
        {"FC", "00001523", "", {si, si}, true, "00001525", ""},
        {"FC", "00001523", "", {no}, false, "00001523", "Comprobante duplicado"},
        {"FC", "00001523", "1.1'03", {}, true, "00001523", ""},  // no line of that account
        {"FC", "1523", "", {}, true, "1523", ""},                // stored as 00001523
        {"FCC",
         "00004567",
         "",
         {},
         false,
         "00004567",
         "Comprobante registrado en el Asiento 1-1\r\n Para el subdiario: COM"}};
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
        EXPECT_EQ(plataforma->dialogos.size(), c.respuestas.size());
        for (const auto& d : plataforma->dialogos)
            EXPECT_EQ(d.titulo + std::to_string(d.estilo), "Atencion52");
        if (!c.respuestas.empty()) {
            EXPECT_EQ(plataforma->dialogos[0].texto,
                      "El Comprobante Duplicado, el nuevo numero es: 0001-00001524A");
        }
        if (std::string(c.tc) == "FCC") {
            EXPECT_EQ(salida.MesOP + "/" + salida.NroAsiento + "/" + salida.PeriodoModif,
                      "1/1/2025");
        }
    }
    // A failure is shown with its description and answers false: the data layer tells the
    // engine's failure (left with its default, abort), then the check tells why it stopped.
    base.Ejecutar("DROP TABLE MV_ASIENTOS");
    plataforma->dialogos.clear();
    plataforma->Esperar("no such table: MV_ASIENTOS", respuesta::kAbortar);
    plataforma->Esperar("objeto está cerrado");
    std::string numero = "00001523";
    entryrules::ComprobanteRegistrado salida;
    EXPECT_FALSE(reglas->ValidaComprobante("FC", "0001", numero, "A", salida, "", ""));
    ASSERT_EQ(plataforma->dialogos.size(), 2u);
    EXPECT_EQ(plataforma->dialogos.back().estilo, estilo::kSoloOk);
    EXPECT_EQ(numero, "00001523");
}

}  // namespace
