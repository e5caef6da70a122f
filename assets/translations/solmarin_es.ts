<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>BoardAccess</name>
    <message>
        <source>card table</source>
        <translation>mesa de cartas</translation>
    </message>
    <message>
        <source>Ace</source>
        <translation>As</translation>
    </message>
    <message>
        <source>Two</source>
        <translation>Dos</translation>
    </message>
    <message>
        <source>Three</source>
        <translation>Tres</translation>
    </message>
    <message>
        <source>Four</source>
        <translation>Cuatro</translation>
    </message>
    <message>
        <source>Five</source>
        <translation>Cinco</translation>
    </message>
    <message>
        <source>Six</source>
        <translation>Seis</translation>
    </message>
    <message>
        <source>Seven</source>
        <translation>Siete</translation>
    </message>
    <message>
        <source>Eight</source>
        <translation>Ocho</translation>
    </message>
    <message>
        <source>Nine</source>
        <translation>Nueve</translation>
    </message>
    <message>
        <source>Ten</source>
        <translation>Diez</translation>
    </message>
    <message>
        <source>Jack</source>
        <translation>Jota</translation>
    </message>
    <message>
        <source>Queen</source>
        <translation>Reina</translation>
    </message>
    <message>
        <source>King</source>
        <translation>Rey</translation>
    </message>
    <message>
        <source>Clubs</source>
        <translation>tréboles</translation>
    </message>
    <message>
        <source>Diamonds</source>
        <translation>diamantes</translation>
    </message>
    <message>
        <source>Hearts</source>
        <translation>corazones</translation>
    </message>
    <message>
        <source>Spades</source>
        <translation>picas</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A card&apos;s name: %1 is its rank, %2 its suit.</extracomment>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>stock, empty</source>
        <translation>mazo, vacío</translation>
    </message>
    <message>
        <source>stock, 1 card</source>
        <translation>mazo, 1 carta</translation>
    </message>
    <message>
        <source>stock, %1 cards</source>
        <translation>mazo, %1 cartas</translation>
    </message>
    <message>
        <source>discard pile, %1</source>
        <translation>pila de descarte, %1</translation>
    </message>
    <message>
        <source>discard pile, empty</source>
        <translation>pila de descarte, vacía</translation>
    </message>
    <message>
        <source>empty place</source>
        <translation>hueco vacío</translation>
    </message>
    <message>
        <source>face-down card</source>
        <translation>carta boca abajo</translation>
    </message>
    <message>
        <source>, playable</source>
        <translation>, jugable</translation>
    </message>
    <message>
        <source>New game. %1 on the discard pile, 23 cards in the stock.</source>
        <translation>Nueva partida. %1 en la pila de descarte, 23 cartas en el mazo.</translation>
    </message>
    <message>
        <source>%1 played, %2.</source>
        <translation>%1 jugada, %2.</translation>
    </message>
    <message>
        <source>Peak bonus.</source>
        <translation>Bonus de cima.</translation>
    </message>
    <message>
        <source>Turned up: %1.</source>
        <translation>Descubierta: %1.</translation>
    </message>
    <message>
        <source>Stock turned: %1, %2.</source>
        <translation>Carta del mazo: %1, %2.</translation>
    </message>
    <message>
        <source>The stock is empty, %1.</source>
        <translation>El mazo está vacío, %1.</translation>
    </message>
    <message>
        <source>Board cleared! End bonus %1. Final score %2.</source>
        <translation>¡Tablero despejado! Bonificación final %1. Puntuación final %2.</translation>
    </message>
    <message>
        <source>No card fits and the stock is empty: game lost. Final score %1.</source>
        <translation>Ninguna carta encaja y el mazo está vacío: partida perdida. Puntuación final %1.</translation>
    </message>
    <message>
        <source>Score %1.</source>
        <translation>Puntuación %1.</translation>
    </message>
    <message>
        <source>End of the row. %1</source>
        <translation>Fin de la fila. %1</translation>
    </message>
    <message>
        <source> The frame is on %1.</source>
        <translation> El marco está en %1.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 back on the table, %3 on the discard pile.</source>
        <translation>Deshacer, %1: %2 de vuelta en la mesa, %3 en la pila de descarte.</translation>
    </message>
    <message>
        <source>Undo: %1 back in the stock, %2 on the discard pile. %3.</source>
        <translation>Deshacer: %1 de vuelta en el mazo, %2 en la pila de descarte. %3.</translation>
    </message>
    <message>
        <source>Undo, %1: %2 on the discard pile.</source>
        <translation>Deshacer, %1: %2 en la pila de descarte.</translation>
    </message>
</context>
<context>
    <name>Tabout</name>
    <message>
        <source>Solmarin - About</source>
        <translation>Solmarin - Acerca de</translation>
    </message>
    <message>
        <source>Programmed by the Solmarin team</source>
        <translation>Programado por el equipo de Solmarin</translation>
    </message>
    <message>
        <source>Copyright 2026</source>
        <translation>Copyright 2026</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Todos los derechos reservados.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Listo</translation>
    </message>
</context>
<context>
    <name>Thelp</name>
    <message>
        <source>Solmarin - Help File</source>
        <translation>Solmarin - Ayuda</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>Introducción</translation>
    </message>
    <message>
        <source>Game Play</source>
        <translation>Cómo se juega</translation>
    </message>
    <message>
        <source>Scoring</source>
        <translation>Puntuación</translation>
    </message>
    <message>
        <source>Documentation</source>
        <translation>Documentación</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Programmed by the</source>
        <translation>Programado por el</translation>
    </message>
    <message>
        <source>Solmarin team</source>
        <translation>equipo de Solmarin</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Listo</translation>
    </message>
    <message>
        <source>Keys and Deals</source>
        <translation>Teclas y repartos</translation>
    </message>
</context>
<context>
    <name>Thighscore</name>
    <message>
        <source>Solmarin - High Scores</source>
        <translation>Solmarin - Récords</translation>
    </message>
    <message>
        <source>Solmarin High Score List</source>
        <translation>Solmarin Tabla de récords</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>LISTO</translation>
    </message>
    <message>
        <source>Fetching the high score list...</source>
        <translation>Cargando la tabla de récords...</translation>
    </message>
    <message>
        <source>The high score list could not be fetched. The score server cannot be reached; open the list again to try once more.</source>
        <translation>No se pudo cargar la tabla de récords. No se puede conectar con el servidor de puntuaciones; vuelve a abrir la lista para intentarlo de nuevo.</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Reparto del día</translation>
    </message>
    <message>
        <source>All Scores</source>
        <translation>Todas las puntuaciones</translation>
    </message>
    <message>
        <source>No scores have been posted for the Deal of the Day of %1 yet.</source>
        <translation>Todavía no se han enviado puntuaciones para el reparto del día del %1.</translation>
    </message>
</context>
<context>
    <name>Tmain</name>
    <message>
        <source>START GAME</source>
        <translation>NUEVA PARTIDA</translation>
    </message>
    <message>
        <source>UNDO -3</source>
        <translation>DESHACER -3</translation>
    </message>
    <message>
        <source>ENTER YOUR NAME</source>
        <translation>ESCRIBE TU NOMBRE</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>LISTO</translation>
    </message>
    <message>
        <source>SORRY, YOU LOST!</source>
        <translation>¡LO SIENTO, HAS PERDIDO!</translation>
    </message>
    <message>
        <source>YOUR CLEARED THE BOARD!</source>
        <translation>¡TABLERO DESPEJADO!</translation>
    </message>
    <message>
        <source>Enter Your Name</source>
        <translation>Escribe tu nombre</translation>
    </message>
    <message>
        <source>SEND SCORE</source>
        <translation>ENVIAR</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>RÉCORDS</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait......</source>
        <translation>Enviando puntuación, espera......</translation>
    </message>
    <message>
        <source>Update Available</source>
        <translation>Actualización disponible</translation>
    </message>
    <message>
        <source>Would you like to update now?</source>
        <translation>¿Quieres actualizar ahora?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Partida</translation>
    </message>
    <message>
        <source>Start New Game</source>
        <translation>Nueva partida</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Play Sounds</source>
        <translation>Sonidos</translation>
    </message>
    <message>
        <source>Reset Screen Location</source>
        <translation>Restablecer la posición de la ventana</translation>
    </message>
    <message>
        <source>Change  Name</source>
        <translation>Cambiar nombre</translation>
    </message>
    <message>
        <source>Automatically Check for Updates</source>
        <translation>Buscar actualizaciones automáticamente</translation>
    </message>
    <message>
        <source>Animate Cards</source>
        <translation>Animar las cartas</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ver</translation>
    </message>
    <message>
        <source>Tally List</source>
        <translation>Estadísticas</translation>
    </message>
    <message>
        <source>View High Score List</source>
        <translation>Ver tabla de récords</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Score: %1</source>
        <translation>Puntos: %1</translation>
    </message>
    <message>
        <source>Cards Left: %1</source>
        <translation>Cartas restantes: %1</translation>
    </message>
    <message>
        <source>Deal %1</source>
        <translation>Reparto %1</translation>
    </message>
    <message>
        <source>Good Luck %1</source>
        <translation>Buena suerte %1</translation>
    </message>
    <message>
        <source>Welcome to Solmarin by Velbor Software!</source>
        <translation>¡Bienvenido a Solmarin de Velbor Software!</translation>
    </message>
    <message>
        <source>You Cleared The Board!</source>
        <translation>¡Tablero despejado!</translation>
    </message>
    <message>
        <source>Your Score: %1</source>
        <translation>Tu puntuación: %1</translation>
    </message>
    <message>
        <source>Posting Score, Please Wait</source>
        <translation>Enviando puntuación, espera</translation>
    </message>
    <message>
        <source>Posting Failed.</source>
        <translation>No se pudo enviar.</translation>
    </message>
    <message>
        <source>Select Deal...</source>
        <translation>Elegir reparto...</translation>
    </message>
    <message>
        <source>Restart Deal</source>
        <translation>Reiniciar reparto</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Pista</translation>
    </message>
    <message>
        <source>This game can no longer be won.</source>
        <translation>Ya no se puede ganar.</translation>
    </message>
    <message>
        <source>Select Deal</source>
        <translation>Elegir reparto</translation>
    </message>
    <message>
        <source>Deal number (0 to 4294967295):</source>
        <translation>Número de reparto (0 a 4294967295):</translation>
    </message>
    <message>
        <source>Updating. Please Wait...</source>
        <translation>Actualizando. Espera...</translation>
    </message>
    <message>
        <source>Received %1 bytes</source>
        <translation>%1 bytes recibidos</translation>
    </message>
    <message>
        <source>Installing</source>
        <translation>Instalando</translation>
    </message>
    <message>
        <source>There was an error in the update process. Please download %1 manually from %2.</source>
        <translation>Se produjo un error durante la actualización. Descarga %1 manualmente desde %2.</translation>
    </message>
    <message>
        <source>Download Aborted</source>
        <translation>Descarga interrumpida</translation>
    </message>
    <message>
        <source>Winnable Deals Only</source>
        <translation>Solo repartos ganables</translation>
    </message>
    <message>
        <source>This deal cannot be won.</source>
        <translation>Este reparto no se puede ganar.</translation>
    </message>
    <message>
        <source>Deal of the Day %1 (deal %2)</source>
        <translation>Reparto del día %1 (reparto %2)</translation>
    </message>
    <message>
        <source>Deal of the Day</source>
        <translation>Reparto del día</translation>
    </message>
    <message>
        <source>%1 web site</source>
        <translation>Sitio web de %1</translation>
    </message>
    <message>
        <source>Your name</source>
        <translation>Tu nombre</translation>
    </message>
    <message>
        <source>Hint: turn the stock.</source>
        <translation>Pista: gira una carta del mazo.</translation>
    </message>
    <message>
        <source>Hint: play the %1.</source>
        <translation>Pista: juega %1.</translation>
    </message>
</context>
<context>
    <name>Ttallylist</name>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the Tally?</source>
        <translation>¿Seguro que quieres reiniciar las estadísticas?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Sí</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Solmarin - Tally List</source>
        <translation>Solmarin - Estadísticas</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST</source>
        <translation>TUS ESTADÍSTICAS</translation>
    </message>
    <message>
        <source>Total Games:</source>
        <translation>Partidas:</translation>
    </message>
    <message>
        <source>Games Cleared:</source>
        <translation>Ganadas:</translation>
    </message>
    <message>
        <source>Win Percentage:</source>
        <translation>% de victorias:</translation>
    </message>
    <message>
        <source>Longest Chain</source>
        <translation>Racha más larga</translation>
    </message>
    <message>
        <source>HIGH SCORES</source>
        <translation>RÉCORDS</translation>
    </message>
    <message>
        <source>RESET TALLY</source>
        <translation>REINICIAR</translation>
    </message>
    <message>
        <source>DONE</source>
        <translation>LISTO</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>Puesto</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Puntos</translation>
    </message>
    <message>
        <source>YOUR TALLY LIST: %1. HIGH SCORES</source>
        <translation>TUS ESTADÍSTICAS: %1. RÉCORDS</translation>
    </message>
</context>
<context>
    <name>errorbox</name>
    <message>
        <source>An unexpected error occurred</source>
        <translation>Se produjo un error inesperado</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>No se puede escribir en %1</translation>
    </message>
    <message>
        <source>%1 : this file has no valid header !</source>
        <translation>%1: este archivo no tiene una cabecera válida.</translation>
    </message>
    <message>
        <source>Error reading from the file %1</source>
        <translation>Error al leer el archivo %1</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened</source>
        <translation>No se puede abrir el archivo %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; no es un número entero válido</translation>
    </message>
    <message>
        <source>Unable to write to the temporary folder</source>
        <translation>No se puede escribir en la carpeta temporal</translation>
    </message>
</context>
</TS>
