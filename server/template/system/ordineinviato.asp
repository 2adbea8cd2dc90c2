<!--#include virtual="comune.inc"-->
<%
// The confirmation after an order was sent: its number, and what happens
// next. It reads only the Session, so a reload sends nothing again.
var paginaCorrente = "/ordineinviato.asp";
var titoloPagina = T("PMTORDINEINVIATO", "Ordine inviato");
var numeroOrdine = String(Session("NumOrd") === undefined ? "" : Session("NumOrd"));
%>
<!--#include virtual="testa.inc"-->
<section class="sezione ordine-inviato">
  <h1><%= H(T("PMTORDINEINVIATO", "Ordine inviato")) %></h1>
<% if (numeroOrdine === "") { %>
  <p class="avviso" id="nessun-ordine"><%= H(T("MSGNESSUNORDINE", "Non hai inviato ordini in questa visita.")) %></p>
<% } else { %>
  <p class="messaggio ok" role="status" id="ordine-confermato"><%= H(T("MSGORDINERICEVUTO", "Grazie! Abbiamo ricevuto il tuo ordine numero")) %> <strong id="numero-ordine"><%= H(numeroOrdine) %></strong>.</p>
  <p><%= H(T("MSGCONFERMAEMAIL", "Ti abbiamo inviato una conferma per e-mail.")) %></p>
<% } %>
  <p><a class="bottone" href="/default.asp"><%= H(T("PMTPAGINAHOME", "Home")) %></a></p>
</section>
<!--#include virtual="piede.inc"-->
