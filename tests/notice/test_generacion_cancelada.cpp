// The subledger generation with the real notice: a click on its cancel button during the run
// stops it after the question, and what was written before stays.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <string>

#include "Dll_Display.h"
#include "Lbc_Asiento.h"
#include "Lbf_CtrlDisplay.h"
#include "PlataformaGuionada.h"
#include "ReglasPrueba.h"
#include "Subdiarios.h"

using namespace helperlib;
using namespace data;
using namespace entryrules;
using namespace notice;

TEST(GeneracionConAviso, ElBotonCancelarDelAvisoDetieneLaGeneracion) {
    ConPlataformaGuionada plataforma;
    plataforma->respuestas = {respuesta::kSi};
    BaseTemporal base(false);
    DB_Dll db;
    base.Conectar(db);
    base.Ejecutar("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '2025')");
    for (int n = 1; n <= 4; ++n)
        base.Ejecutar(
            "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", TIPO_REG, "
            "FECHA, CUENTA, \"DEBE-HABER\", IMPORTE) VALUES (2025, 1, " +
            std::to_string(n) + ", 'VEN', '2025-01-05 00:00:00', '1.1.01', 'D', 1), (2025, 1, " +
            std::to_string(n) + ", 'VEN', '2025-01-05 00:00:00', '4.1.01', 'H', 1)");

    notice::Dll_Display aviso;
    bool visto = false;
    // The user clicks cancel as soon as the notice lets events run (during the first entry).
    QTimer::singleShot(0, [&] {
        ASSERT_NE(aviso.Ventana(), nullptr);
        QPushButton* boton = aviso.Ventana()->CmdDisplayCancelar;
        visto = boton->isVisible();
        QTest::mouseClick(boton, Qt::LeftButton);
    });
    Lbc_Asiento reglas(db, ServiciosDe(db));
    std::string desde = "01/01/2025";
    reglas.GeneraAuxiliarSubdiarios(
        entryrules::EntornoSubdiarios{"DEMO", aviso, std::chrono::milliseconds(0)}, desde,
        "31/01/2025", "VEN");

    EXPECT_TRUE(visto);
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_EQ(plataforma->dialogos[0].texto, "¿Realmente desea abortar el proceso?");
    // Only the first entry was written, and committed; the notice is gone.
    EXPECT_EQ(base.Valor("SELECT group_concat(\"numero asiento\") FROM AUX_SUBDIARIOS"), "1");
    EXPECT_EQ(aviso.Ventana(), nullptr);
}
