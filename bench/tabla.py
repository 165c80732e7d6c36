#!/usr/bin/env python3
"""Prints the benchmarks' results as one table: action, ours, bare engine, ratio.

Reads the JSON files written by the benchmark programs (--benchmark_format=json). A benchmark
named "<action>@programa[/args]" is the program's side of an action and "<action>@motor[/args]"
the same work on the bare engine; the two are paired by action and arguments. The median of
the repetitions is used when there are several, the single run otherwise. Times are the
benchmark thread's CPU time: both sides run on that one thread, and on a machine shared with
other work the CPU time is what load does not inflate (the wall time is in the JSON files). Benchmarks without
"@" are listed with their time only. Counters other than the usual ones (peak memory, rows
read, ...) follow the action in brackets.
"""
import json
import sys

UNIDADES = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
CONTADORES_OMITIDOS = {"items_per_second", "bytes_per_second"}


def leer(archivos):
    tiempos = {}  # run name -> (seconds, counters)
    orden = []
    for archivo in archivos:
        with open(archivo, encoding="utf-8") as f:
            datos = json.load(f)
        vistos = {}
        for b in datos.get("benchmarks", []):
            if b.get("error_occurred"):
                print(f"ERROR en {b['name']}: {b.get('error_message', '')}", file=sys.stderr)
                continue
            nombre = b.get("run_name", b["name"])
            tipo = b.get("run_type", "iteration")
            agregado = b.get("aggregate_name", "")
            if tipo == "aggregate" and agregado != "median":
                continue
            if agregado == "median" or nombre not in vistos:
                segundos = b["cpu_time"] * UNIDADES[b.get("time_unit", "ns")]
                contadores = {k: v for k, v in b.items()
                              if k not in CONTADORES_OMITIDOS and isinstance(v, (int, float))
                              and k not in ("real_time", "cpu_time", "iterations",
                                            "repetitions", "repetition_index", "threads",
                                            "family_index", "per_family_instance_index")}
                vistos[nombre] = agregado == "median"
                if nombre not in tiempos:
                    orden.append(nombre)
                tiempos[nombre] = (segundos, contadores)
    return tiempos, orden


def separar(nombre):
    """("action/args", side) of "action@side/args"; side is "" without "@"."""
    if "@" not in nombre:
        return nombre, ""
    accion, resto = nombre.split("@", 1)
    lado, _, args = resto.partition("/")
    # Run settings ("iterations:3", "repeats:5", "min_time:1.000") are no part of the action.
    args = "/".join(a for a in args.split("/") if a and ":" not in a)
    return (accion + ("/" + args if args else "")), lado


def texto_tiempo(s):
    if s is None:
        return "-"
    if s >= 1:
        return f"{s:.2f} s"
    if s >= 1e-3:
        return f"{s * 1e3:.2f} ms"
    return f"{s * 1e6:.1f} us"


def main(archivos):
    tiempos, orden = leer(archivos)
    filas = []
    indice = {}
    for nombre in orden:
        accion, lado = separar(nombre)
        if accion not in indice:
            indice[accion] = len(filas)
            filas.append([accion, None, None, {}])
        fila = filas[indice[accion]]
        segundos, contadores = tiempos[nombre]
        if lado == "motor":
            fila[2] = segundos
        else:
            fila[1] = segundos
        for k, v in contadores.items():
            fila[3][k if lado != "motor" else "motor." + k] = v
    ancho = max([len("accion")] + [len(f[0]) for f in filas])
    print("Tiempo de CPU, mediana; razon = programa / motor")
    print(f"{'accion':<{ancho}}  {'programa':>11}  {'motor':>11}  {'razon':>8}")
    print("-" * (ancho + 36))
    for accion, nuestro, motor, contadores in filas:
        razon = f"{nuestro / motor:.2f}x" if nuestro and motor else "-"
        extra = ", ".join(f"{k}={v:g}" for k, v in contadores.items())
        print(f"{accion:<{ancho}}  {texto_tiempo(nuestro):>11}  {texto_tiempo(motor):>11}  "
              f"{razon:>8}" + (f"  [{extra}]" if extra else ""))


if __name__ == "__main__":
    main(sys.argv[1:])
