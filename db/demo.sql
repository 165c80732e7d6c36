-- Demo data for the embedded database: what a newcomer needs to try the template editor.
-- Runs after schema.sql, inside the creation transaction. The generator then fills the check
-- digits and levels of the accounts below and adds the bulk of the chart.
--
-- Logins (user names; the embedded engine asks no password):
--   ADMIN   administrator of the suite
--   JPEREZ  ordinary user, without the right to this program
--   DEMO    ordinary user with the right to this program and to the entry-posting program

-- ---------------------------------------------------------------------------------------------
-- Configuration.
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux) VALUES
    ('USADIGITOVERIFICADOR', 'SI', ''),
    ('ESCRIBE_SOLO_MAYUSCULAS', 'SI', ''),
    ('SS_BloqueoActivo', 'NO', ''),
    ('SS_CONFIDENCIALIDAD', 'NO', ''),
    ('PERIODO', '2025', ''),
    ('FECHAOPERDESDE', '01/01/2025', ''),
    ('FECHAOPERHASTA', '31/12/2025', ''),
    ('CONDIVA', '1', 'Responsable Inscripto'),
    ('CFondo', '16776960', ''),
    ('CLetra', '0', ''),
    ('TopConsArt', '1000', ''),
    ('MostrarStockenConsultas', 'SI', ''),
    ('UsaConsultaLike', 'SI', ''),
    ('Stk_Nivel1', '32768', 'con stock, sin punto de pedido'),
    ('Stk_Nivel2', '8388608', 'stock sobre el punto de pedido'),
    ('Stk_Nivel3', '255', 'stock bajo el punto de pedido'),
    ('Stk_Nivel4', '8421504', 'sin stock'),
    ('NOM_PCLASE1', 'Lista Minorista', ''),
    ('NOM_PCLASE2', 'Lista Mayorista', ''),
    ('NOM_PCLASE3', 'Lista Distribuidor', ''),
    ('NOM_PCLASE4', 'Lista Contado', ''),
    ('NOM_PCLASE5', 'Lista Tarjeta', ''),
    ('NOM_PCLASE6', 'Lista Exportación', ''),
    ('NOM_PCLASE7', 'Lista Empleados', ''),
    ('NOM_PCLASE8', 'Lista Costo', ''),
    ('EMPRESA', 'Distribuidora Demo S.A.', ''),
    ('CUIT', '30-71234567-8', '');

-- ---------------------------------------------------------------------------------------------
-- Users and their menu rights.
INSERT INTO ta_usuarios (nombre, NombreCompleto, UNegocio, Administrador) VALUES
    ('ADMIN', 'Administrador del Sistema', '   1', 1),
    ('JPEREZ', 'Juan Pérez', '   1', 0),
    ('DEMO', 'Usuario de Demostración', '   1', 0);

INSERT INTO TA_MENU (MENU, TITULO, CLAVE, NOMBRE, IMAGEN, PROCESO, HABILITADO) VALUES
    ('OMNI', '', 'D', 'Contabilidad', 'Contabilidad', '', 1),
    ('OMNI', 'D', 'D95', 'Asientos', 'Utilidades', '', 1),
    ('OMNI', 'D95', 'D9510', 'Registraciones Directas', 'Utilidades', 'shell:Mv_asientos', 1),
    ('OMNI', 'D95', 'D9540', 'Asientos Modelo de Registraciones Directas', 'Utilidades',
        'shell:asientos-modelo', 1),
    ('OMNI', 'D95', 'D9541', 'Asientos Modelo (Carga)', 'Utilidades', '', 1),
    ('OMNI', 'D9541', 'D954101', 'ALQUILERES', 'Utilidades',
        'shell:Mv_asientos @PARAMETROADICIONAL= MODELO_ALQUILERES', 1);

INSERT INTO TA_TAREAS (USUARIO, SISTEMA, TAREA) VALUES
    ('ADMIN', 'LD000PR', 'D'), ('ADMIN', 'LD000PR', 'D95'), ('ADMIN', 'LD000PR', 'D9510'),
    ('ADMIN', 'LD000PR', 'D9540'), ('ADMIN', 'LD000PR', 'D9541'), ('ADMIN', 'LD000PR', 'D954101'),
    ('DEMO', 'LD000PR', 'D'), ('DEMO', 'LD000PR', 'D95'), ('DEMO', 'LD000PR', 'D9510'),
    ('DEMO', 'LD000PR', 'D9540'), ('DEMO', 'LD000PR', 'D9541'), ('DEMO', 'LD000PR', 'D954101'),
    ('JPEREZ', 'LD000PR', 'D'), ('JPEREZ', 'LD000PR', 'D95'), ('JPEREZ', 'LD000PR', 'D9510');

-- ---------------------------------------------------------------------------------------------
-- Voucher types, voucher books, reasons and subledgers.
INSERT INTO TA_COMPROBANTES (CODIGO, DESCRIPCION, Letras, ModificaNumeracion,
        A_ULTIMO_NRO, A_NRO_DESDE, A_NRO_HASTA, B_ULTIMO_NRO, B_NRO_DESDE, B_NRO_HASTA,
        X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA) VALUES
    ('FC', 'Factura de Venta', 'AB', 'FALSO', 1523, 1, 99999999, 4876, 1, 99999999, 0, 0, 0),
    ('NC', 'Nota de Crédito de Venta', 'AB', 'FALSO', 87, 1, 99999999, 132, 1, 99999999, 0, 0, 0),
    ('ND', 'Nota de Débito de Venta', 'AB', 'FALSO', 12, 1, 99999999, 5, 1, 99999999, 0, 0, 0),
    ('FCC', 'Factura de Compra', 'ABC', 'VERDADERO', 0, 0, 0, 0, 0, 0, 0, 0, 0),
    ('NCC', 'Nota de Crédito de Compra', 'ABC', 'VERDADERO', 0, 0, 0, 0, 0, 0, 0, 0, 0),
    ('NDC', 'Nota de Débito de Compra', 'ABC', 'VERDADERO', 0, 0, 0, 0, 0, 0, 0, 0, 0),
    ('AS', 'Asiento Manual', 'X', 'FALSO', 0, 0, 0, 0, 0, 0, 311, 1, 99999999),
    ('RC', 'Recibo de Cobranza', 'X', 'FALSO', 0, 0, 0, 0, 0, 0, 2290, 1, 99999999),
    ('OP', 'Orden de Pago', 'X', 'FALSO', 0, 0, 0, 0, 0, 0, 1045, 1, 99999999),
    ('LT', 'Liquidación de Tarjetas', 'X', 'VERDADERO', 0, 0, 0, 0, 0, 0, 0, 0, 0);

INSERT INTO V_TA_CPTE (CODIGO, DESCRIPCION, UNEGOCIO, TALONARIO,
        A_SUC_DEFAULT, A_ULTIMO_NRO, B_SUC_DEFAULT, B_ULTIMO_NRO, C_SUC_DEFAULT, C_ULTIMO_NRO,
        X_SUC_DEFAULT, X_ULTIMO_NRO) VALUES
    ('FC', 'Factura de Venta', '   1', 1, 1, 1523, 1, 4876, 0, 0, 0, 0),
    ('FC', 'Factura de Venta', '   2', 2, 2, 310, 2, 998, 0, 0, 0, 0),
    ('NC', 'Nota de Crédito de Venta', '   1', 1, 1, 87, 1, 132, 0, 0, 0, 0),
    ('ND', 'Nota de Débito de Venta', '   1', 1, 1, 12, 1, 5, 0, 0, 0, 0),
    ('FCC', 'Factura de Compra', '   1', 1, 0, 0, 0, 0, 0, 0, 0, 0),
    ('NCC', 'Nota de Crédito de Compra', '   1', 1, 0, 0, 0, 0, 0, 0, 0, 0),
    ('NDC', 'Nota de Débito de Compra', '   1', 1, 0, 0, 0, 0, 0, 0, 0, 0),
    ('AS', 'Asiento Manual', '   1', 1, 0, 0, 0, 0, 0, 0, 1, 311),
    ('RC', 'Recibo de Cobranza', '   1', 1, 0, 0, 0, 0, 0, 0, 1, 2290),
    ('OP', 'Orden de Pago', '   1', 1, 0, 0, 0, 0, 0, 0, 1, 1045),
    ('LT', 'Liquidación de Tarjetas', '   1', 1, 0, 0, 0, 0, 0, 0, 0, 0);

INSERT INTO V_TA_MotivoCpra (IdMotivoCpra, Descripcion) VALUES
    ('01', 'Compra de Bienes de Cambio'),
    ('02', 'Compra de Bienes de Uso'),
    ('03', 'Servicios Públicos'),
    ('04', 'Gastos Generales'),
    ('05', 'Importación'),
    ('06', 'Locación de Inmuebles'),
    ('07', 'Honorarios Profesionales');

INSERT INTO MA_SUBDIARIOSCOMPROBANTES (SUBDIARIO, TC) VALUES
    ('VEN', 'FC'), ('VEN', 'NC'), ('VEN', 'ND'),
    ('COM', 'FCC'), ('COM', 'NCC'), ('COM', 'NDC'),
    ('CAJ', 'RC'), ('CAJ', 'OP');

-- Named part of the chart of accounts: headings (Titulo = 1) down to the third level and the
-- postable accounts below them. Check digits (DV) and levels are filled in by the generator,
-- which also adds the bulk of individual customer, supplier and branch accounts.
INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, Titulo) VALUES
    ('1', 'ACTIVO', 1),
    ('1.1', 'ACTIVO CORRIENTE', 1),
    ('1.1.01', 'CAJA Y BANCOS', 1),
    ('1.1.01.001', 'Caja Moneda Nacional', 0),
    ('1.1.01.002', 'Caja Moneda Extranjera', 0),
    ('1.1.01.003', 'Fondo Fijo Administración', 0),
    ('1.1.01.004', 'Fondo Fijo Sucursales', 0),
    ('1.1.01.005', 'Valores a Depositar', 0),
    ('1.1.01.006', 'Cheques Diferidos en Cartera', 0),
    ('1.1.01.010', 'Banco de la Nación Argentina Cta. Cte.', 0),
    ('1.1.01.011', 'Banco de la Provincia de Buenos Aires Cta. Cte.', 0),
    ('1.1.01.012', 'Banco de Galicia Cta. Cte.', 0),
    ('1.1.01.013', 'Banco Santander Cta. Cte.', 0),
    ('1.1.01.014', 'Banco BBVA Cta. Cte.', 0),
    ('1.1.01.015', 'Banco Macro Cta. Cte.', 0),
    ('1.1.01.016', 'Banco Credicoop Cta. Cte.', 0),
    ('1.1.01.017', 'Banco ICBC Cta. Cte.', 0),
    ('1.1.01.020', 'Banco de la Nación Argentina Caja de Ahorro', 0),
    ('1.1.01.021', 'Banco de Galicia Caja de Ahorro', 0),
    ('1.1.01.022', 'Banco Santander Caja de Ahorro U$S', 0),
    ('1.1.01.023', 'Banco Macro Caja de Ahorro U$S', 0),
    ('1.1.01.030', 'Mercado Pago Cuenta Digital', 0),
    ('1.1.02', 'INVERSIONES TEMPORARIAS', 1),
    ('1.1.02.001', 'Plazo Fijo Banco Nación', 0),
    ('1.1.02.002', 'Plazo Fijo Banco Galicia', 0),
    ('1.1.02.003', 'Fondos Comunes de Inversión', 0),
    ('1.1.02.004', 'Títulos Públicos', 0),
    ('1.1.02.005', 'Intereses a Cobrar', 0),
    ('1.1.03', 'CRÉDITOS POR VENTAS', 1),
    ('1.1.03.001', 'Deudores por Ventas', 0),
    ('1.1.03.002', 'Documentos a Cobrar', 0),
    ('1.1.03.003', 'Deudores en Gestión Judicial', 0),
    ('1.1.03.004', 'Cheques Rechazados', 0),
    ('1.1.03.005', 'Previsión Deudores Incobrables', 0),
    ('1.1.03.010', 'Tarjeta Visa a Cobrar', 0),
    ('1.1.03.011', 'Tarjeta Mastercard a Cobrar', 0),
    ('1.1.03.012', 'Tarjeta American Express a Cobrar', 0),
    ('1.1.03.013', 'Tarjeta Cabal a Cobrar', 0),
    ('1.1.03.014', 'Tarjeta Naranja a Cobrar', 0),
    ('1.1.03.015', 'Tarjeta Maestro a Cobrar', 0),
    ('1.1.03.016', 'Tarjeta Visa Débito a Cobrar', 0),
    ('1.1.03.017', 'Cupones de Tarjetas en Trámite', 0),
    ('1.1.04', 'OTROS CRÉDITOS', 1),
    ('1.1.04.001', 'IVA Crédito Fiscal', 0),
    ('1.1.04.002', 'IVA Crédito Fiscal 10,5%', 0),
    ('1.1.04.003', 'IVA Percepciones Sufridas', 0),
    ('1.1.04.004', 'IVA Retenciones Sufridas', 0),
    ('1.1.04.005', 'IVA Saldo a Favor Técnico', 0),
    ('1.1.04.006', 'IVA Saldo de Libre Disponibilidad', 0),
    ('1.1.04.010', 'Retenciones Impuesto a las Ganancias', 0),
    ('1.1.04.011', 'Anticipos Impuesto a las Ganancias', 0),
    ('1.1.04.012', 'Percepciones Ingresos Brutos', 0),
    ('1.1.04.013', 'Retenciones Ingresos Brutos', 0),
    ('1.1.04.014', 'Saldo a Favor Ingresos Brutos', 0),
    ('1.1.04.015', 'Impuesto a los Débitos y Créditos a Cuenta', 0),
    ('1.1.04.020', 'Anticipos a Proveedores', 0),
    ('1.1.04.021', 'Préstamos al Personal', 0),
    ('1.1.04.022', 'Anticipos de Sueldos', 0),
    ('1.1.04.023', 'Seguros Pagados por Adelantado', 0),
    ('1.1.04.024', 'Alquileres Pagados por Adelantado', 0),
    ('1.1.04.025', 'Depósitos en Garantía', 0),
    ('1.1.04.026', 'Deudores Varios', 0),
    ('1.1.04.027', 'Gastos a Rendir', 0),
    ('1.1.05', 'BIENES DE CAMBIO', 1),
    ('1.1.05.001', 'Mercaderías de Reventa', 0),
    ('1.1.05.002', 'Materias Primas', 0),
    ('1.1.05.003', 'Productos en Proceso', 0),
    ('1.1.05.004', 'Productos Terminados', 0),
    ('1.1.05.005', 'Materiales y Repuestos', 0),
    ('1.1.05.006', 'Envases y Embalajes', 0),
    ('1.1.05.007', 'Mercaderías en Tránsito', 0),
    ('1.1.05.008', 'Anticipos a Proveedores de Bienes de Cambio', 0),
    ('1.2', 'ACTIVO NO CORRIENTE', 1),
    ('1.2.01', 'BIENES DE USO', 1),
    ('1.2.01.001', 'Terrenos', 0),
    ('1.2.01.002', 'Edificios', 0),
    ('1.2.01.003', 'Amortización Acumulada Edificios', 0),
    ('1.2.01.004', 'Instalaciones', 0),
    ('1.2.01.005', 'Amortización Acumulada Instalaciones', 0),
    ('1.2.01.006', 'Maquinarias y Equipos', 0),
    ('1.2.01.007', 'Amortización Acumulada Maquinarias', 0),
    ('1.2.01.008', 'Rodados', 0),
    ('1.2.01.009', 'Amortización Acumulada Rodados', 0),
    ('1.2.01.010', 'Muebles y Útiles', 0),
    ('1.2.01.011', 'Amortización Acumulada Muebles y Útiles', 0),
    ('1.2.01.012', 'Equipos de Computación', 0),
    ('1.2.01.013', 'Amortización Acumulada Equipos de Computación', 0),
    ('1.2.01.014', 'Herramientas', 0),
    ('1.2.01.015', 'Amortización Acumulada Herramientas', 0),
    ('1.2.01.016', 'Obras en Curso', 0),
    ('1.2.02', 'ACTIVOS INTANGIBLES', 1),
    ('1.2.02.001', 'Marcas y Patentes', 0),
    ('1.2.02.002', 'Amortización Acumulada Marcas y Patentes', 0),
    ('1.2.02.003', 'Software y Licencias', 0),
    ('1.2.02.004', 'Amortización Acumulada Software', 0),
    ('1.2.02.005', 'Gastos de Organización', 0),
    ('1.2.02.006', 'Llave de Negocio', 0),
    ('1.2.03', 'INVERSIONES PERMANENTES', 1),
    ('1.2.03.001', 'Participación en Sociedades', 0),
    ('1.2.03.002', 'Inmuebles de Renta', 0),
    ('1.2.03.003', 'Préstamos a Sociedades Vinculadas', 0),
    ('1.2.04', 'OTROS CRÉDITOS NO CORRIENTES', 1),
    ('1.2.04.001', 'Impuesto Diferido', 0),
    ('1.2.04.002', 'Depósitos en Garantía Largo Plazo', 0),
    ('2', 'PASIVO', 1),
    ('2.1', 'PASIVO CORRIENTE', 1),
    ('2.1.01', 'DEUDAS COMERCIALES', 1),
    ('2.1.01.001', 'Proveedores', 0),
    ('2.1.01.002', 'Documentos a Pagar', 0),
    ('2.1.01.003', 'Cheques Diferidos Emitidos', 0),
    ('2.1.01.004', 'Acreedores Varios', 0),
    ('2.1.01.005', 'Proveedores del Exterior', 0),
    ('2.1.01.006', 'Facturas a Recibir', 0),
    ('2.1.01.007', 'Anticipos de Clientes', 0),
    ('2.1.02', 'DEUDAS BANCARIAS Y FINANCIERAS', 1),
    ('2.1.02.001', 'Adelantos en Cuenta Corriente', 0),
    ('2.1.02.002', 'Préstamos Bancarios', 0),
    ('2.1.02.003', 'Intereses a Devengar', 0),
    ('2.1.02.004', 'Tarjetas de Crédito Corporativas a Pagar', 0),
    ('2.1.02.005', 'Leasing a Pagar', 0),
    ('2.1.03', 'REMUNERACIONES Y CARGAS SOCIALES', 1),
    ('2.1.03.001', 'Sueldos a Pagar', 0),
    ('2.1.03.002', 'SAC a Pagar', 0),
    ('2.1.03.003', 'Vacaciones a Pagar', 0),
    ('2.1.03.004', 'Indemnizaciones a Pagar', 0),
    ('2.1.03.010', 'Aportes Jubilatorios SIPA a Depositar', 0),
    ('2.1.03.011', 'Contribuciones Patronales a Depositar', 0),
    ('2.1.03.012', 'Obra Social a Depositar', 0),
    ('2.1.03.013', 'INSSJP a Depositar', 0),
    ('2.1.03.014', 'ART a Pagar', 0),
    ('2.1.03.015', 'Seguro de Vida Obligatorio a Pagar', 0),
    ('2.1.03.016', 'Cuota Sindical a Depositar', 0),
    ('2.1.03.017', 'Embargos Judiciales a Depositar', 0),
    ('2.1.03.018', 'Provisión SAC y Cargas Sociales', 0),
    ('2.1.04', 'DEUDAS FISCALES', 1),
    ('2.1.04.001', 'IVA Débito Fiscal', 0),
    ('2.1.04.002', 'IVA Débito Fiscal 10,5%', 0),
    ('2.1.04.003', 'IVA a Pagar', 0),
    ('2.1.04.004', 'Retenciones de IVA a Depositar', 0),
    ('2.1.04.005', 'Percepciones de IVA a Depositar', 0),
    ('2.1.04.010', 'Retenciones de Ganancias a Depositar', 0),
    ('2.1.04.011', 'Impuesto a las Ganancias a Pagar', 0),
    ('2.1.04.012', 'Ingresos Brutos a Pagar', 0),
    ('2.1.04.013', 'Retenciones de Ingresos Brutos a Depositar', 0),
    ('2.1.04.014', 'Tasa de Seguridad e Higiene a Pagar', 0),
    ('2.1.04.015', 'Impuesto sobre los Bienes Personales Acciones', 0),
    ('2.1.04.016', 'Plan de Facilidades de Pago AFIP', 0),
    ('2.1.05', 'OTRAS DEUDAS', 1),
    ('2.1.05.001', 'Alquileres a Pagar', 0),
    ('2.1.05.002', 'Honorarios a Pagar', 0),
    ('2.1.05.003', 'Dividendos a Pagar', 0),
    ('2.1.05.004', 'Cuentas Particulares de Socios', 0),
    ('2.1.05.005', 'Servicios Públicos a Pagar', 0),
    ('2.1.05.006', 'Acreedores por Tarjetas', 0),
    ('2.2', 'PASIVO NO CORRIENTE', 1),
    ('2.2.01', 'DEUDAS FINANCIERAS A LARGO PLAZO', 1),
    ('2.2.01.001', 'Préstamos Bancarios a Largo Plazo', 0),
    ('2.2.01.002', 'Obligaciones Negociables', 0),
    ('2.2.02', 'PREVISIONES', 1),
    ('2.2.02.001', 'Previsión para Juicios Laborales', 0),
    ('2.2.02.002', 'Previsión para Indemnizaciones', 0),
    ('2.2.02.003', 'Previsión para Contingencias Fiscales', 0),
    ('3', 'PATRIMONIO NETO', 1),
    ('3.1', 'CAPITAL', 1),
    ('3.1.01', 'APORTES DE LOS PROPIETARIOS', 1),
    ('3.1.01.001', 'Capital Social', 0),
    ('3.1.01.002', 'Ajuste de Capital', 0),
    ('3.1.01.003', 'Aportes Irrevocables', 0),
    ('3.1.01.004', 'Primas de Emisión', 0),
    ('3.2', 'RESERVAS', 1),
    ('3.2.01', 'GANANCIAS RESERVADAS', 1),
    ('3.2.01.001', 'Reserva Legal', 0),
    ('3.2.01.002', 'Reserva Facultativa', 0),
    ('3.2.01.003', 'Reserva Estatutaria', 0),
    ('3.3', 'RESULTADOS ACUMULADOS', 1),
    ('3.3.01', 'RESULTADOS NO ASIGNADOS', 1),
    ('3.3.01.001', 'Resultados No Asignados', 0),
    ('3.3.01.002', 'Resultado del Ejercicio', 0),
    ('3.3.01.003', 'Ajuste de Resultados de Ejercicios Anteriores', 0),
    ('4', 'RESULTADOS POSITIVOS', 1),
    ('4.1', 'INGRESOS POR VENTAS', 1),
    ('4.1.01', 'VENTAS', 1),
    ('4.1.01.001', 'Ventas de Mercaderías', 0),
    ('4.1.01.002', 'Ventas de Servicios', 0),
    ('4.1.01.003', 'Ventas de Exportación', 0),
    ('4.1.01.004', 'Ventas Exentas', 0),
    ('4.1.01.005', 'Devoluciones sobre Ventas', 0),
    ('4.1.01.006', 'Bonificaciones sobre Ventas', 0),
    ('4.2', 'OTROS INGRESOS', 1),
    ('4.2.01', 'INGRESOS FINANCIEROS', 1),
    ('4.2.01.001', 'Intereses Ganados', 0),
    ('4.2.01.002', 'Descuentos Obtenidos', 0),
    ('4.2.01.003', 'Diferencia de Cambio Positiva', 0),
    ('4.2.01.004', 'Resultado por Tenencia de Títulos', 0),
    ('4.2.02', 'INGRESOS VARIOS', 1),
    ('4.2.02.001', 'Alquileres Ganados', 0),
    ('4.2.02.002', 'Recupero de Previsiones', 0),
    ('4.2.02.003', 'Resultado Venta de Bienes de Uso', 0),
    ('4.2.02.004', 'Comisiones Ganadas', 0),
    ('4.2.02.005', 'Ingresos Varios', 0),
    ('5', 'RESULTADOS NEGATIVOS', 1),
    ('5.1', 'COSTO DE VENTAS', 1),
    ('5.1.01', 'COSTO DE LO VENDIDO', 1),
    ('5.1.01.001', 'Costo de Mercaderías Vendidas', 0),
    ('5.1.01.002', 'Costo de Servicios Prestados', 0),
    ('5.1.01.003', 'Fletes de Compras', 0),
    ('5.1.01.004', 'Diferencias de Inventario', 0),
    ('5.2', 'GASTOS DE COMERCIALIZACIÓN', 1),
    ('5.2.01', 'GASTOS DE VENTA', 1),
    ('5.2.01.001', 'Publicidad y Propaganda', 0),
    ('5.2.01.002', 'Comisiones a Vendedores', 0),
    ('5.2.01.003', 'Fletes y Acarreos', 0),
    ('5.2.01.004', 'Deudores Incobrables', 0),
    ('5.2.01.005', 'Impuesto sobre los Ingresos Brutos', 0),
    ('5.2.01.006', 'Gastos de Representación', 0),
    ('5.2.01.007', 'Comisiones de Tarjetas de Crédito', 0),
    ('5.2.01.008', 'Envases y Embalajes Consumidos', 0),
    ('5.3', 'GASTOS DE ADMINISTRACIÓN', 1),
    ('5.3.01', 'GASTOS DE PERSONAL', 1),
    ('5.3.01.001', 'Sueldos y Jornales', 0),
    ('5.3.01.002', 'Cargas Sociales', 0),
    ('5.3.01.003', 'Sueldo Anual Complementario', 0),
    ('5.3.01.004', 'Vacaciones', 0),
    ('5.3.01.005', 'Indemnizaciones', 0),
    ('5.3.01.006', 'ART y Seguro de Vida', 0),
    ('5.3.01.007', 'Capacitación del Personal', 0),
    ('5.3.01.008', 'Ropa de Trabajo', 0),
    ('5.3.01.009', 'Refrigerios y Viandas', 0),
    ('5.3.02', 'GASTOS GENERALES', 1),
    ('5.3.02.001', 'Honorarios Profesionales', 0),
    ('5.3.02.002', 'Honorarios Directores', 0),
    ('5.3.02.003', 'Alquileres Pagados', 0),
    ('5.3.02.004', 'Expensas', 0),
    ('5.3.02.005', 'Energía Eléctrica', 0),
    ('5.3.02.006', 'Gas Natural', 0),
    ('5.3.02.007', 'Agua y Cloacas', 0),
    ('5.3.02.008', 'Teléfono e Internet', 0),
    ('5.3.02.009', 'Papelería y Útiles de Oficina', 0),
    ('5.3.02.010', 'Seguros', 0),
    ('5.3.02.011', 'Mantenimiento y Reparaciones', 0),
    ('5.3.02.012', 'Limpieza y Desinfección', 0),
    ('5.3.02.013', 'Vigilancia y Seguridad', 0),
    ('5.3.02.014', 'Movilidad y Viáticos', 0),
    ('5.3.02.015', 'Combustibles y Lubricantes', 0),
    ('5.3.02.016', 'Correo y Mensajería', 0),
    ('5.3.02.017', 'Suscripciones y Cuotas Sociales', 0),
    ('5.3.02.018', 'Gastos de Sistemas y Licencias', 0),
    ('5.3.02.019', 'Donaciones', 0),
    ('5.3.02.020', 'Gastos Varios', 0),
    ('5.3.03', 'AMORTIZACIONES', 1),
    ('5.3.03.001', 'Amortización Edificios', 0),
    ('5.3.03.002', 'Amortización Instalaciones', 0),
    ('5.3.03.003', 'Amortización Maquinarias y Equipos', 0),
    ('5.3.03.004', 'Amortización Rodados', 0),
    ('5.3.03.005', 'Amortización Muebles y Útiles', 0),
    ('5.3.03.006', 'Amortización Equipos de Computación', 0),
    ('5.3.03.007', 'Amortización Intangibles', 0),
    ('5.3.04', 'IMPUESTOS Y TASAS', 1),
    ('5.3.04.001', 'Impuesto Inmobiliario', 0),
    ('5.3.04.002', 'Patentes de Rodados', 0),
    ('5.3.04.003', 'Tasa de Seguridad e Higiene', 0),
    ('5.3.04.004', 'Impuesto de Sellos', 0),
    ('5.3.04.005', 'Impuesto a los Débitos y Créditos Bancarios', 0),
    ('5.4', 'GASTOS FINANCIEROS', 1),
    ('5.4.01', 'RESULTADOS FINANCIEROS NEGATIVOS', 1),
    ('5.4.01.001', 'Intereses Bancarios Pagados', 0),
    ('5.4.01.002', 'Gastos y Comisiones Bancarias', 0),
    ('5.4.01.003', 'Intereses por Descubierto', 0),
    ('5.4.01.004', 'Diferencia de Cambio Negativa', 0),
    ('5.4.01.005', 'Intereses Fiscales y Resarcitorios', 0),
    ('5.4.01.006', 'Descuentos Otorgados', 0),
    ('5.5', 'IMPUESTO A LAS GANANCIAS', 1),
    ('5.5.01', 'IMPUESTO DEL EJERCICIO', 1),
    ('5.5.01.001', 'Impuesto a las Ganancias del Ejercicio', 0),
    ('5.5.01.002', 'Impuesto Diferido del Ejercicio', 0);

-- Accounts reached by an alternative code.
UPDATE MA_CUENTAS SET CodigoOpcional = 'CAJA' WHERE CODIGO = '1.1.01.001';
UPDATE MA_CUENTAS SET CodigoOpcional = 'BNA' WHERE CODIGO = '1.1.01.010';
UPDATE MA_CUENTAS SET CodigoOpcional = 'GALICIA' WHERE CODIGO = '1.1.01.012';
UPDATE MA_CUENTAS SET CodigoOpcional = 'DVTAS' WHERE CODIGO = '1.1.03.001';
UPDATE MA_CUENTAS SET CodigoOpcional = 'VISA' WHERE CODIGO = '1.1.03.010';
UPDATE MA_CUENTAS SET CodigoOpcional = 'IVACF' WHERE CODIGO = '1.1.04.001';
UPDATE MA_CUENTAS SET CodigoOpcional = 'PROV' WHERE CODIGO = '2.1.01.001';
UPDATE MA_CUENTAS SET CodigoOpcional = 'IVADF' WHERE CODIGO = '2.1.04.001';
UPDATE MA_CUENTAS SET CodigoOpcional = 'VTAS' WHERE CODIGO = '4.1.01.001';
UPDATE MA_CUENTAS SET CodigoOpcional = 'CMV' WHERE CODIGO = '5.1.01.001';
UPDATE MA_CUENTAS SET CodigoOpcional = 'SUELDOS' WHERE CODIGO = '5.3.01.001';
UPDATE MA_CUENTAS SET CodigoOpcional = 'ALQ' WHERE CODIGO = '5.3.02.003';
UPDATE MA_CUENTAS SET CodigoOpcional = 'LUZ' WHERE CODIGO = '5.3.02.005';
-- Closed and blocked accounts.
UPDATE MA_CUENTAS SET DADA_DE_BAJA = 1 WHERE CODIGO IN ('1.1.01.016', '1.2.02.006', '2.1.04.016', '2.2.01.002');
UPDATE MA_CUENTAS SET BLOQUEO = 1 WHERE CODIGO IN ('1.1.01.017', '1.1.02.004', '2.1.05.004');
-- Fixed assets and accounts adjusted for inflation.
UPDATE MA_CUENTAS SET BIENES = 1
    WHERE CODIGO LIKE '1.2.01.%' AND DESCRIPCION NOT LIKE 'Amortización%' AND Titulo = 0;
UPDATE MA_CUENTAS SET Ajuste = 1 WHERE (CODIGO LIKE '1.2.%' OR CODIGO LIKE '3.%') AND Titulo = 0;

INSERT INTO MA_CUENTASADIC (Codigo, Cuit, Observaciones) VALUES
    ('1.1.01.010', '30-50001091-2', 'Sucursal Plaza de Mayo'),
    ('1.1.01.012', '30-50000173-5', 'Cuenta recaudadora');

INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES
    ('01', 'Administración'), ('0101', 'Contaduría'), ('0102', 'Tesorería'),
    ('02', 'Comercialización'), ('0201', 'Ventas Mostrador'), ('0202', 'Ventas Mayoristas'),
    ('03', 'Logística'), ('0301', 'Depósito Central'), ('0302', 'Distribución');

-- ---------------------------------------------------------------------------------------------
-- Templates. Rows are stored out of line order on purpose: readers order by SECUENCIA.
-- SUELDOS skips line 4, as a template whose fourth grid row was left empty does.
INSERT INTO MA_MODELOS (NOMBRE, SECUENCIA, CUENTA, "DEBE-HABER", IMPORTE, AlicIVA, DETALLE,
        tcdefault, IdMotivo, MODIFICATC, MODIFICACTAS, AGREGACTAS, Anclarenmenu, allibrodeiva,
        esliqtarjetas, fechahora_grabacion, fechahora_modificacion, tipo_reg) VALUES
    ('ALQUILERES', 3, '2.1.01.001', 'H', 181500, 0, 'Proveedor del alquiler',
        'FCC', '06', 1, 0, 0, 1, 1, 0, '2025-01-15 10:30:00', NULL, '    '),
    ('ALQUILERES', 1, '5.3.02.003', 'D', 150000, 21, 'Alquiler del mes',
        'FCC', '06', 1, 0, 0, 1, 1, 0, '2025-01-15 10:30:00', NULL, '    '),
    ('ALQUILERES', 2, '1.1.04.001', 'D', 31500, 0, 'IVA 21%',
        'FCC', '06', 1, 0, 0, 1, 1, 0, '2025-01-15 10:30:00', NULL, '    '),
    ('SUELDOS', 6, '2.1.03.011', 'H', 600000, 0, 'Contribuciones patronales',
        'AS', '', 0, 1, 1, 0, 0, 0, '2025-02-03 09:00:00', '2025-03-01 18:45:00', '    '),
    ('SUELDOS', 2, '5.3.01.002', 'D', 600000, 0, 'Cargas sociales del mes',
        'AS', '', 0, 1, 1, 0, 0, 0, '2025-02-03 09:00:00', '2025-03-01 18:45:00', '    '),
    ('SUELDOS', 1, '5.3.01.001', 'D', 2500000, 0, 'Sueldos y jornales del mes',
        'AS', '', 0, 1, 1, 0, 0, 0, '2025-02-03 09:00:00', '2025-03-01 18:45:00', '    '),
    ('SUELDOS', 5, '2.1.03.010', 'H', 425000, 0, 'Aportes SIPA retenidos',
        'AS', '', 0, 1, 1, 0, 0, 0, '2025-02-03 09:00:00', '2025-03-01 18:45:00', '    '),
    ('SUELDOS', 3, '2.1.03.001', 'H', 2075000, 0, 'Neto a pagar',
        'AS', '', 0, 1, 1, 0, 0, 0, '2025-02-03 09:00:00', '2025-03-01 18:45:00', '    '),
    ('LIQ. TARJETAS', 5, '1.1.03.010', 'H', 100000, 0, 'Cupones liquidados',
        'LT', '', 0, 1, 0, 0, 0, 1, '2025-02-10 16:20:00', NULL, '    '),
    ('LIQ. TARJETAS', 1, '1.1.01.012', 'D', 96250, 0, 'Acreditación en banco',
        'LT', '', 0, 1, 0, 0, 0, 1, '2025-02-10 16:20:00', NULL, '    '),
    ('LIQ. TARJETAS', 3, '1.1.04.001', 'D', 630, 0, 'IVA sobre comisión',
        'LT', '', 0, 1, 0, 0, 0, 1, '2025-02-10 16:20:00', NULL, '    '),
    ('LIQ. TARJETAS', 2, '5.2.01.007', 'D', 3000, 21, 'Comisión de la tarjeta',
        'LT', '', 0, 1, 0, 0, 0, 1, '2025-02-10 16:20:00', NULL, '    '),
    ('LIQ. TARJETAS', 4, '1.1.04.013', 'D', 120, 0, 'Retención de Ingresos Brutos',
        'LT', '', 0, 1, 0, 0, 0, 1, '2025-02-10 16:20:00', NULL, '    '),
    ('SERVICIOS PÚBLICOS', 2, '5.3.02.006', 'd', 42000, 27, 'Gas',
        'FCC', '03', 1, 1, 1, 0, 1, 0, '2025-03-05 11:00:00', NULL, '    '),
    ('SERVICIOS PÚBLICOS', 1, '5.3.02.005', 'D', 85000, 27, 'Energía eléctrica',
        'FCC', '03', 1, 1, 1, 0, 1, 0, '2025-03-05 11:00:00', NULL, '    '),
    ('SERVICIOS PÚBLICOS', 4, '2.1.05.005', 'H', 161290, 0, 'A pagar',
        'FCC', '03', 1, 1, 1, 0, 1, 0, '2025-03-05 11:00:00', NULL, '    '),
    ('SERVICIOS PÚBLICOS', 3, '1.1.04.001', 'D', 34290, 0, 'IVA 27%',
        'FCC', '03', 1, 1, 1, 0, 1, 0, '2025-03-05 11:00:00', NULL, '    ');

-- ---------------------------------------------------------------------------------------------
-- Fiscal years and a few journal entries of the current one.
INSERT INTO MV_EJERCICIOS (PERIODO, "Fecha Desde", "fecha hasta", Cerrado, Cancelacion, Cierre) VALUES
    (2024, '2024-01-01 00:00:00', '2024-12-31 00:00:00', 1, 1, 1),
    (2025, '2025-01-01 00:00:00', '2025-12-31 00:00:00', 0, 0, 0);

INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, "NUMERO ASIENTO", TIPO_REG, FECHA, CUENTA,
        "DEBE-HABER", IMPORTE, DETALLE, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA,
        ESRESUMEN, ESAJUSTE, USUARIO, fechahora_grabacion) VALUES
    (2025, 1, 1, 'VEN', '2025-01-10 00:00:00', '1.1.03.001', 'D', 121000, 'Venta según factura',
        'FC', '0001', '00001523', 'A', 121000, '1.1.03.001', 0, 0, 'DEMO', '2025-01-10 12:00:00'),
    (2025, 1, 1, 'VEN', '2025-01-10 00:00:00', '4.1.01.001', 'H', 100000, 'Venta según factura',
        'FC', '0001', '00001523', 'A', 121000, '1.1.03.001', 0, 0, 'DEMO', '2025-01-10 12:00:00'),
    (2025, 1, 1, 'VEN', '2025-01-10 00:00:00', '2.1.04.001', 'H', 21000, 'IVA débito fiscal',
        'FC', '0001', '00001523', 'A', 121000, '1.1.03.001', 0, 0, 'DEMO', '2025-01-10 12:00:00'),
    (2025, 1, 1, 'COM', '2025-01-15 00:00:00', '5.3.02.003', 'D', 150000, 'Alquiler enero',
        'FCC', '0003', '00004567', 'A', 181500, '2.1.01.001', 0, 0, 'DEMO', '2025-01-15 10:35:00'),
    (2025, 1, 1, 'COM', '2025-01-15 00:00:00', '1.1.04.001', 'D', 31500, 'IVA crédito fiscal',
        'FCC', '0003', '00004567', 'A', 181500, '2.1.01.001', 0, 0, 'DEMO', '2025-01-15 10:35:00'),
    (2025, 1, 1, 'COM', '2025-01-15 00:00:00', '2.1.01.001', 'H', 181500, 'Alquiler enero',
        'FCC', '0003', '00004567', 'A', 181500, '2.1.01.001', 0, 0, 'DEMO', '2025-01-15 10:35:00'),
    (2025, 2, 1, '', '2025-02-05 00:00:00', '5.3.01.001', 'D', 2500000, 'Sueldos enero',
        'AS', '0001', '00000311', 'X', 3100000, '', 0, 0, 'DEMO', '2025-02-05 09:10:00'),
    (2025, 2, 1, '', '2025-02-05 00:00:00', '5.3.01.002', 'D', 600000, 'Cargas sociales enero',
        'AS', '0001', '00000311', 'X', 3100000, '', 0, 0, 'DEMO', '2025-02-05 09:10:00'),
    (2025, 2, 1, '', '2025-02-05 00:00:00', '2.1.03.001', 'H', 2075000, 'Neto a pagar',
        'AS', '0001', '00000311', 'X', 3100000, '', 0, 0, 'DEMO', '2025-02-05 09:10:00'),
    (2025, 2, 1, '', '2025-02-05 00:00:00', '2.1.03.010', 'H', 425000, 'Aportes SIPA',
        'AS', '0001', '00000311', 'X', 3100000, '', 0, 0, 'DEMO', '2025-02-05 09:10:00'),
    (2025, 2, 1, '', '2025-02-05 00:00:00', '2.1.03.011', 'H', 600000, 'Contribuciones',
        'AS', '0001', '00000311', 'X', 3100000, '', 0, 0, 'DEMO', '2025-02-05 09:10:00');

INSERT INTO MV_CONTROL_AS_RES (ID, SUBDIARIO, PERIODO, FECHA_DESDE, FECHA_HASTA, Anulado) VALUES
    (1, 'VEN', 2025, '2025-01-01 00:00:00', '2025-01-31 00:00:00', 0),
    (2, 'COM', 2025, '2025-01-01 00:00:00', '2025-01-31 00:00:00', 1);

INSERT INTO MA_BIENES (CODIGO, DESCRIPCION, CUENTA, FECHA_ALTA, IMPORTE) VALUES
    (1, 'Camioneta Toyota Hilux', '1.2.01.008', '2023-06-01 00:00:00', 28500000),
    (2, 'Servidor de Datos', '1.2.01.012', '2024-03-15 00:00:00', 4200000);
INSERT INTO MA_BIENES_novedades (CODIGO, ID, FECHA, DETALLE) VALUES
    (1, 1, '2024-06-01 00:00:00', 'Service de los 20.000 km');

-- ---------------------------------------------------------------------------------------------
-- Sources of the pick lists.
INSERT INTO V_TA_Unidad (IdUnidad, Descripcion) VALUES
    ('UN', 'Unidad'), ('KG', 'Kilogramo'), ('LT', 'Litro'), ('MT', 'Metro'), ('CJ', 'Caja');
INSERT INTO V_TA_DEPOSITO (IdDeposito, Descripcion, Unidad) VALUES
    ('01', 'Depósito Central', '   1'), ('02', 'Depósito Rosario', '   2'), ('03', 'Salón de Ventas', '   1');
INSERT INTO V_TA_STATUS (CodigoEstado, Descripcion, Tipo) VALUES
    ('PEN', 'Pendiente', 'PEDIDO'), ('APR', 'Aprobado', 'PEDIDO'), ('ANU', 'Anulado', 'PEDIDO');
INSERT INTO V_TA_FAMILIAS (IdFamilia, Descripcion) VALUES
    ('1', 'Almacén'), ('11', 'Bebidas'), ('111', 'Bebidas sin Alcohol'), ('112', 'Vinos'),
    ('12', 'Lácteos'), ('2', 'Limpieza'), ('21', 'Detergentes'), ('3', 'Ferretería');
INSERT INTO MA_POSICIONES (IDPOSICION, Descripcion) VALUES
    ('2202', 'Agua y bebidas no alcohólicas'), ('2202.10', 'Agua con azúcar o edulcorante'),
    ('2204', 'Vino de uvas frescas'), ('2204.21', 'Vino en recipientes de hasta 2 litros');
INSERT INTO V_MA_ARTICULOS (IdArticulo, Descripcion, IdFamilia, IdUnidad, PRECIO1, PRECIO2,
        PUNTOPEDIDO, Stock, SUSPENDIDO) VALUES
    ('1001', 'Agua Mineral 2 L', '111', 'UN', 1200, 1000, 50, 320, 0),
    ('1002', 'Gaseosa Cola 1,5 L', '111', 'UN', 2100, 1800, 100, 40, 0),
    ('1003', 'Vino Malbec 750 ml', '112', 'UN', 6500, 5600, 0, 95, 0),
    ('1004', 'Leche Entera 1 L', '12', 'UN', 1400, 1250, 80, 0, 0),
    ('2001', 'Detergente Limón 750 ml', '21', 'UN', 1900, 1650, 30, 30, 0),
    ('3001', 'Tornillo Autoperforante x 100', '3', 'CJ', 5200, 4700, 0, 0, 1);
INSERT INTO VT_CLIENTES (Codigo, RazonSocial, Cuit, Dada_De_Baja) VALUES
    ('C0001', 'Supermercados del Litoral S.A.', '30-70811223-4', 0),
    ('C0002', 'Almacén Doña Rosa', '27-18456789-3', 0),
    ('C0003', 'Kiosco El Ñandú', '20-25678901-2', 1);
INSERT INTO VT_PROVEEDORES (Codigo, RazonSocial, Cuit, Dada_De_Baja) VALUES
    ('P0001', 'Embotelladora Andina S.A.', '30-52345678-9', 0),
    ('P0002', 'Inmobiliaria Belgrano S.R.L.', '30-71098765-1', 0),
    ('P0003', 'Distribuidora Peñaloza', '20-17654321-5', 1);
