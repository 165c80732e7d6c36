// The editor window driven by real key events: the typical edit from a new name to the saved
// rows and back, loading a template, header checks, cell checks, line keys and commands.
#include <QAbstractButton>
#include <QHeaderView>
#include <QPaintEvent>
#include <functional>

#include "Moneda.h"
#include "VentanaPrueba.h"

namespace {

TEST_F(VentanaTest, TypicalEditSavesTheTemplateAndLoadsItAgain) {
    Linea("PRUEBA NUEVA");
    ASSERT_EQ(Foco(), frm->BrwTxt) << "the cursor goes to the first account cell";
    EXPECT_EQ(frm->Matriz.Row(), 1);
    EXPECT_EQ(frm->Matriz.Col(), 1);
    EXPECT_TRUE(frm->UtilPanel1->GrabarEnabled());
    EXPECT_FALSE(frm->UtilPanel1->NuevoEnabled());

    Linea("1.1.01.001");
    EXPECT_EQ(frm->Matriz.Col(), 2);
    Linea(QString::fromStdString(Dv("1.1.01.001")));
    EXPECT_EQ(Celda(1, 3), "Caja Moneda Nacional");
    EXPECT_EQ(frm->Matriz.Col(), 4);
    Linea("100");
    EXPECT_EQ(Celda(1, 4), "100.00");
    EXPECT_EQ(frm->Matriz.Col(), 6) << "the credit cell is skipped after a debit";
    Tecla(Qt::Key_Return);
    EXPECT_EQ(frm->Matriz.Row(), 2);
    EXPECT_EQ(frm->Matriz.Col(), 1);

    Linea("2.1.01.001");
    Linea(QString::fromStdString(Dv("2.1.01.001")));
    EXPECT_EQ(frm->Matriz.Col(), 4);
    Tecla(Qt::Key_Return);  // no debit: on to the credit cell
    EXPECT_EQ(frm->Matriz.Col(), 5);
    Linea("100,5");
    EXPECT_EQ(frm->txtTotal[0]->text(), "100.00");
    EXPECT_EQ(frm->txtTotal[1]->text(), "100.50");
    EXPECT_TRUE(plataforma->dialogos.empty()) << Textos().front();

    Tecla(Qt::Key_F2);
    const auto filas = base.Filas(
        "SELECT SECUENCIA, CUENTA, \"DEBE-HABER\", IMPORTE, tipo_reg, fechahora_grabacion IS "
        "NOT NULL FROM MA_MODELOS WHERE NOMBRE = 'PRUEBA NUEVA' ORDER BY SECUENCIA");
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(filas[0], (std::vector<std::string>{"1", "1.1.01.001", "D", "100", "    ", "1"}));
    EXPECT_EQ(filas[1], (std::vector<std::string>{"2", "2.1.01.001", "H", "100.5", "    ", "1"}));

    // Idle and empty.
    EXPECT_EQ(frm->txtFields[0]->text(), "");
    EXPECT_EQ(Celda(1, 1), "");
    EXPECT_EQ(Foco(), frm->txtFields[0]);
    EXPECT_TRUE(frm->UtilPanel1->NuevoEnabled());
    EXPECT_TRUE(frm->UtilPanel1->CerrarEnabled());
    EXPECT_FALSE(frm->UtilPanel1->GrabarEnabled());
    EXPECT_FALSE(frm->UtilPanel1->CancelarEnabled());

    Linea("prueba nueva");
    EXPECT_EQ(frm->txtFields[0]->text(), "PRUEBA NUEVA");
    EXPECT_EQ(Celda(1, 1), "1.1.01.001");
    EXPECT_EQ(Celda(1, 2), Dv("1.1.01.001"));
    EXPECT_EQ(Celda(1, 3), "Caja Moneda Nacional");
    EXPECT_EQ(Celda(2, 5), "100.50");
    EXPECT_TRUE(frm->Almacen.ModeloExistente);
}

TEST_F(VentanaTest, ConfirmingAnExistingNameLoadsHeaderBoxesAndLines) {
    Linea("alquileres");
    EXPECT_EQ(frm->txtFields[1]->text(), "FCC");
    EXPECT_EQ(frm->txtFields[2]->text(), "06");
    EXPECT_EQ(frm->lblTC->text(), "Factura de Compra");
    EXPECT_TRUE(frm->chkCpte->isChecked());
    EXPECT_FALSE(frm->chkModCuentas->isChecked());
    EXPECT_FALSE(frm->chkAgrCuentas->isChecked());
    EXPECT_TRUE(frm->chkAlMenu->isChecked());
    EXPECT_TRUE(frm->chkLibroIva->isChecked());
    EXPECT_FALSE(frm->chkLiqTarjetas->isChecked());
    EXPECT_EQ(Celda(1, 1), "5.3.02.003");
    EXPECT_EQ(Celda(1, 4), "150000.00");
    EXPECT_EQ(Celda(1, 6), "21");
    EXPECT_EQ(Celda(3, 5), "181500.00");
    EXPECT_EQ(frm->txtTotal[0]->text(), "181500.00");
    EXPECT_EQ(frm->txtTotal[1]->text(), "181500.00");

    // Another name: no line of the first template stays on screen.
    frm->txtFields[0]->setFocus();
    frm->txtFields[0]->clear();
    Linea("OTRO NUEVO");
    EXPECT_EQ(Celda(3, 1), "");
    EXPECT_FALSE(frm->Almacen.ModeloExistente);
}

TEST_F(VentanaTest, HeaderChecks) {
    plataforma->Esperar("Debe informar el Nombre del Asiento Modelo");
    Tecla(Qt::Key_Return);
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_EQ(plataforma->dialogos[0].estilo, 48);
    EXPECT_EQ(plataforma->dialogos[0].titulo, "Aviso al Operador");
    EXPECT_EQ(Foco(), frm->txtFields[0]);
    EXPECT_EQ(frm->txtFields[0]->palette().color(QPalette::Base), QColor(0, 255, 255));

    Linea("NUEVO MODELO");
    frm->txtFields[1]->setFocus();
    EXPECT_EQ(frm->txtFields[0]->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(frm->FocoCampo, 1);
    EXPECT_EQ(frm->FocoGrilla, -2);
    plataforma->Esperar("El tipo de comprobante ingresado es inexistente.");
    Linea("ZZ");
    EXPECT_EQ(frm->lblTC->text(), "...");
    EXPECT_EQ(Foco(), frm->txtFields[1]);

    frm->txtFields[1]->clear();
    Linea("fcc");
    EXPECT_EQ(frm->lblTC->text(), "Factura de Compra");
    EXPECT_EQ(Foco(), frm->BrwTxt) << "confirming the voucher type goes to the first account";

    frm->txtFields[2]->setFocus();
    plataforma->Esperar("El tipo de comprobante ingresado es inexistente.");
    Linea("99");
    frm->txtFields[2]->clear();
    Linea("03");
    EXPECT_EQ(frm->LblDescMotivo->text(), "Servicios Públicos");

    frm->txtFields[1]->setFocus();
    frm->txtFields[1]->clear();
    Linea("");
    EXPECT_EQ(frm->lblTC->text(), "...") << "an empty voucher type is accepted";
}

TEST_F(VentanaTest, AccountCellChecks) {
    Linea("CUENTAS");
    Linea("visa");
    EXPECT_EQ(Celda(1, 1), "1.1.03.010") << "the alternative code gives way to the main code";
    plataforma->Esperar("¿Está seguro de abandonar la carga de datos?", respuesta::kNo);
    Tecla(Qt::Key_Escape);  // Esc asks first; the default answer is No
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_EQ(plataforma->dialogos[0].titulo, "ATENCIÓN!!!");
    EXPECT_EQ(plataforma->dialogos[0].estilo, 4 + 48 + 256);
    EXPECT_EQ(frm->txtFields[0]->text(), "CUENTAS") << "No keeps everything";

    frm->Matriz.Celda(2, 1);
    frm->EditarCelda(32);
    plataforma->Esperar("La cuenta ingresada no es imputable ");
    Linea("1.1.01");
    EXPECT_EQ(Foco(), frm->BrwTxt) << "the cursor stays in the cell";
    EXPECT_EQ(frm->Matriz.Row(), 2);
    frm->BrwTxt->clear();
    Linea("1.1.01.002");
    const std::string dv = Dv("1.1.01.002");
    plataforma->Esperar("El digito verificador no es correcto, verifíquelo , por favor");
    Linea(dv == "1" ? "2" : "1");
    EXPECT_EQ(frm->Matriz.Col(), 2);
    EXPECT_EQ(frm->BrwTxt->cursorPosition(), 0) << "the wrong digit is corrected from its start";
    frm->BrwTxt->clear();
    Linea(QString::fromStdString(dv));
    EXPECT_EQ(frm->Matriz.Col(), 4);

    frm->Matriz.Celda(3, 1);
    frm->EditarCelda(32);
    plataforma->Esperar("La cuenta ya fue informada en la linea 1");
    Linea("1.1.03.010");
    EXPECT_EQ(plataforma->dialogos.back().estilo, 64);
    EXPECT_EQ(frm->Matriz.Col(), 2) << "a repeated account is accepted";
}

TEST_F(VentanaTest, AnAmountThatIsNoNumberIsRefusedInItsCell) {
    Linea("IMPORTES");
    Linea("1.1.01.001");
    Linea(QString::fromStdString(Dv("1.1.01.001")));
    plataforma->Esperar("El importe ingresado no es un número válido");
    Linea("12a");
    EXPECT_EQ(Foco(), frm->BrwTxt);
    EXPECT_EQ(frm->Almacen.Lineas[1].Debe, "");
    frm->BrwTxt->clear();
    Linea("12.5");
    EXPECT_EQ(frm->Almacen.Lineas[1].Debe, "12.50");
    // The credit cell of a line with a positive debit does not open.
    frm->Matriz.Celda(1, 5);
    frm->EditarCelda('7');
    EXPECT_FALSE(frm->BrwTxt->isVisible());
}

// Delete and Insert act on lines only from the grid itself: in the name field and in the open
// cell editor they edit the text. Afterwards the grid keeps the focus, the totals follow and
// line 1 shows again.
TEST_F(VentanaTest, DeleteAndInsertActOnLinesOnlyFromTheGrid) {
    Linea("SUELDOS");
    const int lineas = frm->Almacen.Lineas.Cantidad();
    frm->txtFields[0]->setFocus();
    frm->txtFields[0]->setCursorPosition(0);
    Tecla(Qt::Key_Delete);
    frm->Matriz.Celda(3, 1);
    frm->EditarCelda(32);
    frm->BrwTxt->setCursorPosition(0);
    Tecla(Qt::Key_Delete);
    Tecla(Qt::Key_Insert);
    EXPECT_EQ(frm->txtFields[0]->text() + "|" + frm->BrwTxt->text(), "UELDOS|.1.03.001");
    EXPECT_EQ(frm->Almacen.Lineas.Cantidad(), lineas) << "no line went or came";
    frm->MSFlex_EditKeyCode(27);  // the editor closes without storing its text

    const auto total = [&](int i) { return *Moneda::Leer(frm->txtTotal[i]->text().toStdString()); };
    const auto importe = [&](int col) { return Moneda::Leer(Celda(3, col)).value_or(Moneda()); };
    const Moneda debe = total(0) - importe(4), haber = total(1) - importe(5);
    frm->FGModelo1->scrollToBottom();
    frm->Matriz.Celda(3, 1);
    ASSERT_GT(frm->FGModelo1->rowAt(0), 0);
    frm->FGModelo1->setFocus();
    Tecla(Qt::Key_Delete);
    EXPECT_EQ(Celda(3, 1), "2.1.03.010");
    EXPECT_EQ(total(0), debe);
    EXPECT_EQ(total(1), haber);
    EXPECT_EQ(frm->FGModelo1->rowAt(0), 0) << "line 1 shows again";
    Tecla(Qt::Key_Insert);
    EXPECT_EQ(Celda(4, 1) + "|" + Celda(5, 1), "|2.1.03.011");
    EXPECT_EQ(Foco(), frm->FGModelo1);
}

// The delete acts on the stored template on screen, or on nothing: another name typed after
// loading one (confirmed or not) leaves the loaded template and its menu entry alone.
TEST_F(VentanaTest, DeleteActsOnTheTemplateOnScreenOnly) {
    const std::string filas =
        "SELECT (SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE = 'ALQUILERES') "
        "|| '/' || (SELECT COUNT(*) FROM TA_MENU WHERE NOMBRE = 'ALQUILERES')";
    for (bool confirmado : {true, false}) {
        Nombre("ALQUILERES");
        if (confirmado) frm->Comando("NUEVO");
        frm->txtFields[0]->setFocus();
        frm->txtFields[0]->selectAll();
        Escribir("OTRO");
        if (confirmado) Tecla(Qt::Key_Return);
        plataforma->Esperar("Confirma la baja de este registro?", respuesta::kSi);
        plataforma->Esperar("El modelo OTRO no está grabado: no hay nada que eliminar");
        Tecla(Qt::Key_F10);
        EXPECT_EQ(base.Valor(filas), "3/1") << confirmado;
        EXPECT_EQ(frm->txtFields[0]->text(), "");
    }
}

// Text typed in the cell editor and not yet confirmed is kept when another cell is clicked.
TEST_F(VentanaTest, ClickingTheGridKeepsTheTypedText) {
    Linea("CLIC");
    Escribir("1.1.01.001");
    const QRect otra = frm->FGModelo1->visualRect(frm->FGModelo1->model()->index(1, 0));
    QTest::mouseClick(frm->FGModelo1->viewport(), Qt::LeftButton, {}, otra.center());
    EXPECT_EQ(frm->Almacen.Lineas[1].Cuenta.Recortado(), "1.1.01.001");
    EXPECT_EQ(Celda(1, 1) + "|" + std::to_string(frm->Matriz.Row()), "1.1.01.001|2");
}

// However the open editor closes, it is left hidden and empty.
TEST_F(VentanaTest, AClosedCellEditorIsEmpty) {
    struct Cierre {
        const char* nombre;
        std::function<void()> cerrar;
    };
    const Cierre cierres[] = {
        {"Enter", [&] { Tecla(Qt::Key_Return); }},
        {"Esc", [&] { frm->MSFlex_EditKeyCode(27); }},
        {"moving to another cell", [&] { frm->Matriz.Celda(2, 1); }},
        {"a click on another cell",
         [&] {
             QTest::mouseClick(frm->FGModelo1->viewport(), Qt::LeftButton, {},
                               frm->FGModelo1->RectanguloCelda(3, 1).center());
         }},
    };
    Linea("VACIO");
    for (const Cierre& c : cierres) {
        frm->Matriz.Celda(1, 1);
        frm->EditarCelda('1');
        Escribir(".1.01.001");
        ASSERT_TRUE(frm->BrwTxt->isVisible()) << c.nombre;
        c.cerrar();
        EXPECT_FALSE(frm->BrwTxt->isVisible()) << c.nombre;
        EXPECT_EQ(frm->BrwTxt->text().toStdString(), "") << c.nombre;
    }
}

TEST_F(VentanaTest, DeleteAndInsertOnAnEmptyGridDoNothingHarmful) {
    frm->Matriz.Celda(19, 1);
    Tecla(Qt::Key_Delete);
    Tecla(Qt::Key_Insert);
    Tecla(Qt::Key_Delete);
    EXPECT_GE(frm->Almacen.Lineas.Cantidad(), 1);
    EXPECT_TRUE(plataforma->dialogos.empty());
}

TEST_F(VentanaTest, CancelAsksOnlyOnceLoadingStarted) {
    frm->Comando("CANCELAR");
    EXPECT_TRUE(plataforma->dialogos.empty());
    Linea("SUELDOS");
    plataforma->Esperar("¿Está seguro de abandonar la carga de datos?", respuesta::kSi);
    Tecla(Qt::Key_Escape);
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_EQ(frm->txtFields[0]->text(), "");
    EXPECT_EQ(Celda(1, 1), "");
    EXPECT_EQ(Foco(), frm->txtFields[0]);
    EXPECT_FALSE(frm->Encabezado.CargaIniciada);
}

TEST_F(VentanaTest, DeleteAsksTwice) {
    Linea("SUELDOS");
    plataforma->respuestas.push_back(respuesta::kNo);
    Tecla(Qt::Key_F10);
    ASSERT_EQ(plataforma->dialogos.size(), 1u);
    EXPECT_EQ(plataforma->dialogos[0].texto, "Confirma la baja de este registro?");
    EXPECT_EQ(plataforma->dialogos[0].titulo, "Atención!");
    EXPECT_EQ(plataforma->dialogos[0].estilo, 4 + 48 + 256);
    EXPECT_EQ(frm->txtFields[0]->text(), "SUELDOS") << "No changes nothing";

    plataforma->Esperar("Confirma la baja de este registro?", respuesta::kSi);
    plataforma->Esperar("Realmente desea eliminar este MODELO", respuesta::kSi);
    Tecla(Qt::Key_F10);
    ASSERT_EQ(plataforma->dialogos.size(), 3u);
    EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE = 'SUELDOS'"), "0");
    EXPECT_EQ(frm->txtFields[0]->text(), "");
    EXPECT_EQ(Foco(), frm->txtFields[0]);
}

TEST_F(VentanaTest, AFailedSaveKeepsTheFormAsTyped) {
    base.Ejecutar(
        "CREATE TRIGGER falla BEFORE INSERT ON MA_MODELOS BEGIN SELECT RAISE(ABORT, 'sin "
        "lugar'); END");
    Linea("SUELDOS");
    plataforma->Esperar("sin lugar", respuesta::kAbortar);
    Tecla(Qt::Key_F2);
    EXPECT_TRUE(frm->Almacen.ErrorValidacion);
    EXPECT_FALSE(frm->Almacen.Grabando);
    EXPECT_EQ(frm->txtFields[0]->text(), "SUELDOS");
    EXPECT_EQ(Celda(1, 1), "5.3.01.001");
    EXPECT_TRUE(frm->UtilPanel1->GrabarEnabled());
    EXPECT_EQ(base.Valor("SELECT COUNT(*) FROM MA_MODELOS WHERE NOMBRE = 'SUELDOS'"), "5");
}

TEST_F(VentanaTest, SaveTakesTheValueStillInTheCellEditor) {
    Linea("PENDIENTE");
    Linea("1.1.01.001");
    Linea(QString::fromStdString(Dv("1.1.01.001")));
    Escribir("250");
    Tecla(Qt::Key_F2);
    EXPECT_EQ(base.Valor("SELECT IMPORTE FROM MA_MODELOS WHERE NOMBRE = 'PENDIENTE'"), "250");
}

TEST_F(VentanaTest, LookupsFillTheCellOrTheField) {
    Linea("BUSQUEDAS");
    respuestaBusqueda = "1.1.01.005";
    Tecla(Qt::Key_F5);
    ASSERT_EQ(consultas.size(), 1u);
    EXPECT_EQ(consultas[0], "CODIGO|MA_CUENTAS");
    EXPECT_EQ(Celda(1, 1), "1.1.01.005");
    EXPECT_EQ(frm->Matriz.Col(), 2);

    // A cancelled lookup on a line leaves it as it was.
    frm->Matriz.Celda(1, 1);
    frm->EditarCelda(32);
    respuestaBusqueda = "";
    Tecla(Qt::Key_F5);
    EXPECT_EQ(frm->Almacen.Lineas[1].Cuenta.Recortado(), "1.1.01.005");

    // The name field: the chosen template is confirmed and loaded.
    frm->txtFields[0]->setFocus();
    respuestaBusqueda = "LIQ. TARJETAS";
    Tecla(Qt::Key_F5);
    EXPECT_EQ(consultas.back(), "NOMBRE|SELECT NOMBRE FROM MA_MODELOS  GROUP BY NOMBRE");
    EXPECT_EQ(frm->txtFields[1]->text(), "LT");
    EXPECT_TRUE(frm->chkLiqTarjetas->isChecked());
    EXPECT_EQ(Celda(2, 1), "5.2.01.007");
}

TEST_F(VentanaTest, LayoutCaptionsAndWidths) {
    EXPECT_EQ(frm->windowTitle(), "Asientos Modelo de Registraciones Directas");
    EXPECT_EQ(frm->chkAlMenu->text(), "Anclar al Menú :  Asientos Modelo (Cargas)");
    EXPECT_EQ(frm->chkLiqTarjetas->text(), "Liquidación Tarjetas");
    EXPECT_EQ(frm->chkCpte->text(), "Modifica Tipo de Comprobante");
    EXPECT_EQ(frm->Label1->text(), "Cpte Default: ");
    EXPECT_EQ(frm->txtFields[0]->maxLength(), 50);
    EXPECT_EQ(frm->txtFields[1]->maxLength(), 4);
    auto* modelo = frm->FGModelo1->model();
    EXPECT_EQ(modelo->headerData(3, Qt::Horizontal).toString(), "Debe           ");
    EXPECT_FALSE(frm->FGModelo1->isColumnHidden(1));
    // The editor lies exactly over its cell.
    Linea("UBICACION");
    const QRect celda = frm->FGModelo1->visualRect(modelo->index(0, 0));
    EXPECT_EQ(frm->BrwTxt->geometry(), celda);
}

// Column widths follow the font, the corner shows its text ("Linea"), and the room a larger
// window gains goes to the grid.
TEST_F(VentanaTest, WidthsFollowTheFontAndTheGridTakesTheRoom) {
    FGModelo* g = frm->FGModelo1;
    QFont letra = g->font();
    letra.setPointSize(16);
    g->setFont(letra);
    for (int c = 0; c < 6; ++c)
        EXPECT_GT(g->columnWidth(c), QFontMetrics(letra).horizontalAdvance(
                                         g->model()->headerData(c, Qt::Horizontal).toString()));
    auto* esquina = g->findChild<QAbstractButton*>();
    ASSERT_NE(esquina, nullptr);
    QImage vacia = esquina->grab().toImage();
    frm->Matriz.TextMatrix(0, 0, "");
    vacia = esquina->grab().toImage() == vacia ? QImage() : vacia;
    EXPECT_FALSE(vacia.isNull()) << "the corner draws the grid's cell 0,0";

    const int alto = g->height(), altoPanel = frm->UtilPanel1->height();
    frm->resize(frm->width(), frm->height() + 200);
    QApplication::processEvents();
    EXPECT_GE(g->height(), alto + 150);
    EXPECT_EQ(frm->UtilPanel1->height(), altoPanel);
}

// The cell editor shows amounts right-aligned, and its opening character is upper-cased too.
TEST_F(VentanaTest, CellEditorAlignsAmountsAndUpperCasesTheFirstCharacter) {
    ctx.sesion.gEscribeSoloMayusculas = true;
    Linea("EDITOR");
    frm->MSFlex_EditKeyCode(27);
    Escribir("visa");
    EXPECT_EQ(frm->BrwTxt->text(), "VISA");
    Tecla(Qt::Key_Return);
    Linea(QString::fromStdString(Dv("1.1.03.010")));
    Escribir("5");
    EXPECT_TRUE(frm->BrwTxt->alignment() & Qt::AlignRight);
}

// The grid's view over the matrix: after every change of shape it shows exactly the matrix's
// rows, cells, line numbers and current cell, and keeps the columns' widths.
TEST_F(VentanaTest, TheGridShowsTheMatrixAfterEveryChangeOfShape) {
    FGModelo& vista = *frm->FGModelo1;
    auto& lineas = frm->Almacen.Lineas;
    std::vector<int> anchos;  // as the loaded window lays the columns out
    for (int c = 0; c < vista.model()->columnCount(); ++c) anchos.push_back(vista.columnWidth(c));
    const struct {
        const char* que;
        std::function<void()> hacer;
        int filas;
    } pasos[] = {
        {"loaded", [] {}, 20},
        {"30 lines shown",
         [&] {
             lineas.Reiniciar(31);
             for (int k = 1; k <= 30; ++k) {
                 lineas[k].Cuenta = "1.1.01.00" + std::to_string(1 + k % 3);
                 lineas[k].Debe = std::to_string(k) + ".50";
                 frm->MostrarLinea(k);
             }
         },
         31},
        {"line inserted",
         [&] {
             frm->Matriz.Celda(25, 1);
             frm->InsertarLinea();
         },
         32},
        {"line deleted",
         [&] {
             frm->Matriz.Celda(3, 1);
             frm->BorrarLinea();
         },
         31},
        {"cleared", [&] { frm->Limpiar(); }, 20},
        {"a cell picked on rows gone in a batch still open",
         [&] {
             MatrizGrilla::Lote lote(frm->Matriz);
             frm->Matriz.Rows(5);
             vista.setCurrentIndex(vista.model()->index(12, 1));
             EXPECT_EQ(frm->Matriz.Row(), 0) << "the matrix stays where it was";
         },
         5},
    };
    for (const auto& p : pasos) {
        p.hacer();
        QApplication::processEvents();
        const QAbstractItemModel& m = *vista.model();
        ASSERT_EQ(frm->Matriz.Rows(), p.filas) << p.que;
        ASSERT_EQ(m.rowCount(), p.filas - 1) << p.que;
        ASSERT_EQ(m.columnCount(), frm->Matriz.Cols() - 1) << p.que;
        for (int f = 1; f < p.filas; ++f) {
            EXPECT_EQ(m.headerData(f - 1, Qt::Vertical).toString().toStdString(),
                      frm->Matriz.TextMatrix(f, 0))
                << p.que << " row " << f;
            for (int c = 1; c < frm->Matriz.Cols(); ++c)
                EXPECT_EQ(m.index(f - 1, c - 1).data().toString().toStdString(),
                          frm->Matriz.TextMatrix(f, c))
                    << p.que << " cell " << f << "," << c;
        }
        for (int c = 1; c < frm->Matriz.Cols(); ++c)
            EXPECT_EQ(vista.columnWidth(c - 1), anchos[c - 1]) << p.que << " width of column " << c;
        const QModelIndex actual = vista.currentIndex();
        const int fila = frm->Matriz.Row(), col = frm->Matriz.Col();
        if (fila >= 1 && col >= 1) {
            EXPECT_EQ(actual.row(), fila - 1) << p.que;
            EXPECT_EQ(actual.column(), col - 1) << p.que;
        } else {
            EXPECT_FALSE(actual.isValid()) << p.que;
        }
    }
}

}  // namespace

namespace {

// The current cell is always in view: moved to a row far below or above, and after a batch
// of changes that ends while the table is scrolled away from it.
TEST_F(VentanaTest, TheCurrentCellStaysInView) {
    Linea("PRUEBA NUEVA");
    frm->Matriz.Rows(200);
    auto* vista = frm->FGModelo1;
    const auto visible = [&](int fila) {
        const QRect r = vista->RectanguloCelda(fila, 1);
        return !r.isEmpty() && vista->viewport()->rect().contains(r);
    };
    for (int fila : {150, 3, 199}) {
        frm->Matriz.Celda(fila, 1);
        EXPECT_TRUE(visible(fila)) << "moved to row " << fila;
        vista->scrollToTop();
        if (fila > 20) {
            ASSERT_FALSE(visible(fila));
        }
        {
            MatrizGrilla::Lote lote(frm->Matriz);
            frm->Matriz.TextMatrix(fila, 1, "X" + std::to_string(fila));
        }
        EXPECT_TRUE(visible(fila)) << "after a batch on row " << fila;
    }
}

}  // namespace
namespace {

/// Share of the pixels of `r` in `imagen` that have about the colour `color` (the style may
/// shade what it paints in a palette colour).
double Proporcion(const QImage& imagen, const QRect& r, const QColor& color) {
    const auto cerca = [&](const QColor& c) {
        return std::abs(c.red() - color.red()) + std::abs(c.green() - color.green()) +
                   std::abs(c.blue() - color.blue()) <
               48;
    };
    int iguales = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) iguales += cerca(imagen.pixelColor(x, y));
    return r.isEmpty() ? 0 : static_cast<double>(iguales) / (r.width() * r.height());
}

// What the user sees of the cursor as Enter walks a line: the grid shows its current cell, and
// only that one, in the selection colour; the open editor lies over its cell framed in that
// colour, with the focus.
TEST_F(VentanaTest, TheCurrentCellIsTheOneShownSelectedAndTheOpenEditorIsFramed) {
    FGModelo& vista = *frm->FGModelo1;
    const QColor seleccion = vista.palette().color(QPalette::Highlight);
    const auto cursorVisto = [&](const char* paso, int fila, int col) {
        const QImage imagen = vista.viewport()->grab().toImage();
        for (int f = 1; f <= 2; ++f)
            for (int c = 1; c <= 6; ++c) {
                const QRect r = vista.RectanguloCelda(f, c);
                if (r.isEmpty()) continue;
                const double p = Proporcion(imagen, r, seleccion);
                if (f == fila && c == col)
                    EXPECT_GT(p, 0.6) << paso << ": the current cell " << f << "," << c;
                else
                    EXPECT_LT(p, 0.05) << paso << ": cell " << f << "," << c;
            }
    };
    const auto editorVisto = [&](const char* paso) {
        ASSERT_TRUE(frm->BrwTxt->isVisible()) << paso;
        EXPECT_EQ(Foco(), frm->BrwTxt) << paso;
        EXPECT_EQ(frm->BrwTxt->geometry(),
                  vista.RectanguloCelda(frm->Matriz.Row(), frm->Matriz.Col()))
            << paso;
        const QImage imagen = frm->BrwTxt->grab().toImage();
        const QRect r = imagen.rect();
        for (const QRect& borde :
             {QRect(0, 0, r.width(), 2), QRect(0, r.height() - 2, r.width(), 2),
              QRect(0, 0, 2, r.height()), QRect(r.width() - 2, 0, 2, r.height())})
            EXPECT_EQ(Proporcion(imagen, borde, seleccion), 1.0) << paso << ": the frame";
        EXPECT_LT(Proporcion(imagen, r.adjusted(2, 2, -2, -2), seleccion), 0.05) << paso;
    };
    struct Paso {
        const char* nombre;
        QString texto;  // typed into the cell (opening the editor on the grid); Enter follows
        int fila, col;  // the current cell after Enter
    };
    Linea("CURSOR");
    editorVisto("opened on the first account");
    const Paso pasos[] = {
        {"account", "1.1.01.001", 1, 2},
        {"check digit", QString::fromStdString(Dv("1.1.01.001")), 1, 4},
        {"debit", "100", 1, 6},
        {"rate", "", 2, 1},
    };
    for (const Paso& p : pasos) {
        Escribir(p.texto);
        if (!p.texto.isEmpty()) editorVisto(p.nombre);
        Tecla(Qt::Key_Return);
        EXPECT_EQ(frm->Matriz.Row() * 10 + frm->Matriz.Col(), p.fila * 10 + p.col) << p.nombre;
        EXPECT_FALSE(frm->BrwTxt->isVisible()) << p.nombre;
        EXPECT_EQ(Foco(), &vista) << p.nombre;
        cursorVisto(p.nombre, p.fila, p.col);
    }
    // A click on another cell moves the cursor there, one on a line number does not; Esc closes
    // an editor without leaving its cell.
    QTest::mouseClick(vista.viewport(), Qt::LeftButton, {}, vista.RectanguloCelda(1, 4).center());
    cursorVisto("click", 1, 4);
    Escribir("5");
    editorVisto("typed on the debit");
    frm->MSFlex_EditKeyCode(27);
    EXPECT_FALSE(frm->BrwTxt->isVisible());
    cursorVisto("escape", 1, 4);
    QHeaderView* lineas = vista.verticalHeader();
    QTest::mouseClick(lineas->viewport(), Qt::LeftButton, {},
                      QPoint(lineas->width() / 2,
                             lineas->sectionViewportPosition(1) + lineas->sectionSize(1) / 2));
    cursorVisto("click on a line number", 1, 4);
}

}  // namespace

namespace {

/// The regions a widget is asked to paint while it watches.
class Pintado final : public QObject {
  public:
    explicit Pintado(QWidget* w) : w_(w) { w_->installEventFilter(this); }
    ~Pintado() override { w_->removeEventFilter(this); }
    QRegion region;

  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(e)->region();
        return false;
    }

  private:
    QWidget* w_;
};

// The cursor leaving the cells for the heading row (a reset of the grid, rows removed or not)
// no longer shows on the cell it left: that cell is painted again.
TEST_F(VentanaTest, TheCellTheCursorLeavesForTheHeadingRowIsRepainted) {
    FGModelo& vista = *frm->FGModelo1;
    const struct {
        const char* que;
        std::function<void()> hacer;
    } casos[] = {
        {"moved", [&] { frm->Matriz.Celda(0, 0); }},
        {"moved in a batch that removes rows",
         [&] {
             MatrizGrilla::Lote lote(frm->Matriz);
             frm->Matriz.Rows(6);
             frm->Matriz.Celda(0, 0);
         }},
    };
    for (const auto& c : casos) {
        frm->Matriz.Celda(3, 4);
        QApplication::processEvents();
        const QRect celda = vista.RectanguloCelda(3, 4);
        ASSERT_FALSE(celda.isEmpty()) << c.que;
        Pintado pintado(vista.viewport());
        c.hacer();
        QApplication::processEvents();
        EXPECT_FALSE(vista.currentIndex().isValid()) << c.que;
        EXPECT_TRUE((QRegion(celda) - pintado.region).isEmpty()) << c.que;
        frm->Limpiar();
    }
}

}  // namespace

// A right-aligned heading padded with trailing blanks loses blanks, never letters, when its
// column is too narrow for it.
TEST(EncabezadoQueCabe, DropsTrailingBlanksOnlyAndOnlyWhileTooWide) {
    const QFontMetrics letra(QApplication::font());
    const QString debe = "Debe           ";
    const auto ancho = [&](const QString& t) { return letra.horizontalAdvance(t); };
    struct Caso {
        QString texto;
        int ancho;
        QString visto;
    } casos[] = {
        {debe, ancho(debe), debe},                       // fits: whole
        {debe, ancho(debe) - 1, "Debe          "},       // one blank too many
        {debe, ancho("Debe   "), "Debe   "},             // as many blanks as fit
        {debe, ancho("Debe") - 5, "Debe"},               // the word itself never cut
        {"  Cuenta   ", ancho("  Cuenta"), "  Cuenta"},  // leading blanks stay
        {"Descripción", 3, "Descripción"},               // no trailing blank: as it is
    };
    for (const Caso& c : casos)
        EXPECT_EQ(EncabezadoQueCabe(c.texto, letra, c.ancho), c.visto)
            << c.texto.toStdString() << " en " << c.ancho;
}
