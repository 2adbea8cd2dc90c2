<!--#include virtual="comune.inc"-->
<%
// The Session's card order and its payment: posted, another attempt at
// the bank (a new request password, the amount of the stored order); a
// paid order says so, and an attempt the shop refuses says why.
var ordine = Server.CreateObject("QTR50.Ordine");
ordine.SetConn(generale.Conn);
var numeroOrdine = String(Session("NumOrd") === undefined ? "" : Session("NumOrd"));
var conCarta = numeroOrdine !== "" && String(ordine.TipoPagamento) === "CartaCredito";
var pagato = conCarta && ordine.PagamentoCartaEseguito();
var errore = String(Session("ErrorePagamento") === undefined ? "" : Session("ErrorePagamento"));
Session.ErrorePagamento = "";
var indirizzoBanca = "";
if (conCarta && !pagato && String(Request.ServerVariables("REQUEST_METHOD")) === "POST") {
    try {
        indirizzoBanca = String(ordine.URLValidazioneCartaCredito());
    } catch (e) {
        errore = String(e.message || e);
    }
}
if (indirizzoBanca !== "") {
    ordine.Free();
    Response.Redirect(indirizzoBanca);
}
var paginaCorrente = "/ripetipagamento.asp";
var titoloPagina = T("PMTPAGAMENTO", "Pagamento");
%>
<!--#include virtual="testa.inc"-->
<section class="sezione esito-pagamento">
  <h1><%= H(T("PMTPAGAMENTO", "Pagamento")) %></h1>
<% if (pagato) { %>
  <p class="messaggio ok" role="status" id="ordine-pagato"><%= H(T("MSGORDINEPAGATO", "L'ordine è già stato pagato:")) %> <strong id="numero-ordine"><%= H(numeroOrdine) %></strong>.</p>
<% } else if (conCarta) { %>
<%   if (errore !== "") { %>
  <p class="messaggio errore" role="alert" id="pagamento-non-possibile"><%= H(errore) %></p>
<%   } %>
  <p><%= H(T("PMTDATIORDINE", "Ordine")) %> <strong id="numero-ordine"><%= H(numeroOrdine) %></strong></p>
  <form method="post" action="/ripetipagamento.asp">
    <p><button class="bottone" type="submit" id="ripeti-pagamento"><%= H(T("PMTRIPETIPAGAMENTO", "Riprova il pagamento")) %></button></p>
  </form>
<% } else { %>
  <p class="avviso" id="nessun-ordine"><%= H(T("MSGNESSUNORDINEDAPAGARE", "Non hai ordini da pagare con carta in questa visita.")) %></p>
<% } %>
  <p><a class="togli" href="/default.asp"><%= H(T("PMTPAGINAHOME", "Home")) %></a></p>
</section>
<!--#include virtual="piede.inc"-->
<% ordine.Free(); %>
